#include "classlib/application/message_loop_win.h"

#include <cstddef>

namespace classlib::win {

void MessageLoop::AddFilter(MessageFilter& filter) { filters_.push_back(&filter); }

void MessageLoop::RemoveFilter(MessageFilter& filter) { std::erase(filters_, &filter); }

bool MessageLoop::Filter(MSG& message) {
  // The latest filter first. A filter may close windows and so remove filters: the index is
  // checked against the list as it is now, so that no removed filter is asked.
  for (std::size_t i = filters_.size(); i-- > 0;) {
    if (i < filters_.size() && filters_[i]->PreTranslateMessage(message)) return true;
  }
  return false;
}

void MessageLoop::Run() {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;  // the quit request, or no queue left to read
    if (Filter(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace classlib::win
