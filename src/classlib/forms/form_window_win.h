#pragma once
// What the Windows side of controls (and the shell) uses of a form: the window that is the
// parent of its controls' windows, the font they show text in unless they have their own, and
// the form's knowledge of each control's window. Through that the form orders the windows by
// tab order and hands a control the messages that Windows sends the form about it (message
// reflection, as WTL and Win32++ do it): WM_COMMAND, WM_CTLCOLOR*, WM_DRAWITEM, WM_SETCURSOR.

#include <windows.h>

#include <optional>

#include "classlib/core/handles_win.h"

class TControl;
class TForm;

namespace classlib::win {

HWND FormWindow(const TForm& form);
HFONT FormFont(const TForm& form);

// What a control answers to a message its form hands it: the message as the form got it, and
// the result to return; empty for the form's default handling.
class ReflectedMessages {
public:
  virtual std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
  ~ReflectedMessages() = default;
};

// A control's child window, known to its form from Attach to the window's destruction.
class ChildWindow {
public:
  ChildWindow() = default;
  ~ChildWindow() { Reset(); }
  ChildWindow(const ChildWindow&) = delete;
  ChildWindow& operator=(const ChildWindow&) = delete;

  // Takes ownership of `window`, a child of FormWindow(form) made for `control`; the form hands
  // `messages` what concerns it. A window held before is released first.
  void Attach(const TForm& form, const TControl& control, HWND window, ReflectedMessages& messages);
  // The form forgets the window, which is then destroyed.
  void Reset();

  HWND get() const { return window_.get(); }
  explicit operator bool() const { return static_cast<bool>(window_); }

private:
  const TForm* form_ = nullptr;
  UniqueWindow window_;
};

}  // namespace classlib::win
