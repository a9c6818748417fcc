#pragma once
// What the Windows side of forms and dialogs uses of the application object: the window that
// owns every other window of the tool, the tool's icon, the message loop, and minimising the
// tool as a whole. Nothing here knows a form's insides: a form tells the application its
// window and its message filter.

#include <windows.h>

#include <exception>

#include "classlib/application/message_loop_win.h"

class TApplication;
class TForm;

namespace classlib::win {

// The application window and the tool's icon; null without an application object.
HWND ApplicationWindow();
HICON ApplicationIcon();

// A form's window as the application object knows it, for as long as the form holds this: the
// loop gives each message to `filter` first, and when the form is the main form, the taskbar
// entry's commands act on `window`. Without an application object it does nothing.
class FormWindowRegistration {
public:
  FormWindowRegistration(const TForm& form, HWND window, MessageFilter& filter);
  ~FormWindowRegistration();
  FormWindowRegistration(const FormWindowRegistration&) = delete;
  FormWindowRegistration& operator=(const FormWindowRegistration&) = delete;

private:
  TApplication* application_;
  const TForm& form_;
  MessageFilter& filter_;
};

// Minimises the tool: the main form's window is hidden and the taskbar entry minimised.
void MinimizeTool();

// The error box for an error that escaped while the application object was being made: the
// text and caption the object's own error box would give (the title derived from the
// executable's name), owned by no window, since there is none yet. Returns when the user has
// closed it; nothing escapes.
void ShowErrorWithoutApplication(std::exception_ptr error) noexcept;

}  // namespace classlib::win
