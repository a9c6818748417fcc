#pragma once
// The class library's errors. Every failure the tool shows the user is one of these; the
// application object reports them in its error box. Messages are CP1252 bytes.

#include <exception>
#include <string>
#include <string_view>

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

// The class library's message texts, in CP1252 (0xFC is the u with diaeresis).
namespace classlib::messages {
inline constexpr std::string_view kInvalidDataType = "Ung\xFCltiger Datentyp f\xFCr '%s'";
inline constexpr std::string_view kReadDataFailed = "Konnte Daten f\xFCr '%s' nicht holen";
inline constexpr std::string_view kWriteDataFailed = "Konnte Daten f\xFCr '%s' nicht setzen";
inline constexpr std::string_view kListInsertFailed = "Zeile kann nicht eingef\xFCgt werden";
inline constexpr std::string_view kOutOfMemory = "Zu wenig Arbeitsspeicher";
}  // namespace classlib::messages

// Puts `argument` in place of the first "%s" of `pattern`; the rest is copied unchanged.
std::string FormatText(std::string_view pattern, std::string_view argument);
