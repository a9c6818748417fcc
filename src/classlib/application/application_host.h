#pragma once
// Host side of the application object: native tests answer the tool's message boxes with a
// responder and read back every box that was asked for.

#include <functional>
#include <string>
#include <vector>

#include "classlib/application/application.h"

namespace classlib::host {

struct MessageBoxCall {
  std::string text;
  std::string caption;
  unsigned flags = 0;
  bool operator==(const MessageBoxCall&) const = default;
};

// Returns the button the user chose, or 0 for a box that could not be shown.
using MessageBoxResponder = std::function<int(const MessageBoxCall&)>;

// Until a responder is set, every box answers 0: no box could be shown.
void SetMessageBoxResponder(TApplication& application, MessageBoxResponder responder);
const std::vector<MessageBoxCall>& MessageBoxCalls(const TApplication& application);
void ClearMessageBoxCalls(TApplication& application);

// Queues an event for Run's loop, as user input would reach the window.
void PostEvent(TApplication& application, std::function<void()> event);

}  // namespace classlib::host
