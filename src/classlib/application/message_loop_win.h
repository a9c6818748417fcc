#pragma once
// The message loop of the application object. It knows no window of its own: each form registers
// a filter that sees every message before it is dispatched (as WTL's message loop asks its
// message filters), so the active form's dialog manager handles Tab, Alt+letter and Enter.

#include <windows.h>

#include <vector>

namespace classlib::win {

class MessageFilter {
public:
  // True when the filter handled the message, which is then not dispatched.
  virtual bool PreTranslateMessage(MSG& message) = 0;

protected:
  ~MessageFilter() = default;
};

class MessageLoop {
public:
  void AddFilter(MessageFilter& filter);
  void RemoveFilter(MessageFilter& filter);

  // Gets, filters and dispatches the thread's messages until the quit request (or until there
  // is no queue left to read).
  void Run();

private:
  // Gives `message` to the filters; true when one of them handled it.
  bool Filter(MSG& message);

  std::vector<MessageFilter*> filters_;
};

}  // namespace classlib::win
