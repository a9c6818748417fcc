#pragma once
// While a modal box or dialog of the tool is open, none of the tool's other windows takes input;
// afterwards they are enabled again and the window that was active before is active again.

#include <windows.h>

#include <vector>

namespace classlib::win {

class ModalScope {
public:
  // Notes the active window and disables every visible, enabled window of this thread except
  // `owner`, which the box or dialog disables itself.
  explicit ModalScope(HWND owner);
  // Enables them again and reactivates the window noted, also when an error passes.
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

private:
  static BOOL CALLBACK Visit(HWND window, LPARAM self);

  HWND owner_;
  HWND active_;
  std::vector<HWND> disabled_;
};

}  // namespace classlib::win
