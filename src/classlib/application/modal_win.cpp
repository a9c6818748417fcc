#include "classlib/application/modal_win.h"

namespace classlib::win {

ModalScope::ModalScope(HWND owner) : owner_(owner), active_(GetActiveWindow()) {
  EnumThreadWindows(GetCurrentThreadId(), &ModalScope::Visit, reinterpret_cast<LPARAM>(this));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

ModalScope::~ModalScope() {
  for (HWND window : disabled_) EnableWindow(window, TRUE);
  if (active_ && IsWindow(active_)) SetActiveWindow(active_);
}

BOOL CALLBACK ModalScope::Visit(HWND window, LPARAM self) {
  auto* scope = reinterpret_cast<ModalScope*>(self);
  if (window != scope->owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
    scope->disabled_.push_back(window);
  }
  return TRUE;
}

}  // namespace classlib::win
