#pragma once
// The class library's errors. Every failure the tool shows the user is one of these; the
// application object reports them in its error box. Messages are CP1252 bytes (messages.h).

#include <exception>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;
};

class ERegistryException : public Exception {
public:
  using Exception::Exception;
};

class EOutOfResources : public Exception {
public:
  using Exception::Exception;
};

class EOutOfMemory : public Exception {
public:
  using Exception::Exception;
};
