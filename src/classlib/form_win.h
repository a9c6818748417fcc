#pragma once
// What the Windows side of the application, the forms and the controls share.

#include <windows.h>

#include <functional>
#include <string>

#include "classlib/controls.h"
#include "classlib/form.h"
#include "classlib/handles_win.h"

namespace classlib::win {

// The application window (owner of every form and box) and the tool's icon.
HWND ApplicationWindow();
HICON ApplicationIcon();

// The native window of a form, and whether a window is one of our forms.
HWND FormWindow(const TForm& form);
bool IsFormWindow(HWND window);
// The font of a form, which its controls use unless they have their own.
HFONT FormFont(const TForm& form);

// Gives a message of the loop to the active form first: Enter on a button, Tab, Alt+key.
bool TranslateFormMessage(HWND form, MSG& message);

// Minimising the main window minimises the tool as a whole; restoring brings it back.
void MinimizeTool();
void RestoreTool();

// A font as the window description gives it.
UniqueFont CreateFontFrom(const TFont& font);
COLORREF ColorRef(TColor color);

// The native child window of a control, made by the control's constructor.
HWND ControlWindow(const TControl& control);

}  // namespace classlib::win

// The Windows side of a control: its child window and what that window needs.
struct TControl::Impl {
  classlib::win::UniqueWindow window;
  classlib::win::UniqueFont ownFont;   // when the control does not use its parent's font
  classlib::win::UniqueBitmap bitmap;  // the picture of an image
  HBRUSH textBackground = nullptr;     // brush for WM_CTLCOLOR*, owned by the form

  // What the control does once its window has its place and font at a density: a label takes
  // the size of its text, an image its picture at the control's size, a list its heights.
  std::function<void()> fit;

  // Makes the child window of `control` in its parent form, at its place, with its font.
  void Create(TControl& control, const char* windowClass, DWORD style, DWORD exStyle = 0);
  // Gives the window the control's place and font again (after a change of density): its own
  // font made anew, or `parentFont`; then fits it.
  void Rescale(TControl& control, HFONT parentFont);
};
