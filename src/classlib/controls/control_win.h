#pragma once
// The Windows side that every control shares: its child window in its form, its own font, and
// how it answers the messages its form hands it about its window. Only the controls' own files
// (and tests of them) include this.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "classlib/controls/controls.h"
#include "classlib/core/handles_win.h"
#include "classlib/forms/form_window_win.h"

namespace classlib::win {

// How a control answers the messages its form hands it. What every control answers alike is
// here: the cursor the description gives it, its click when its window reports one with the
// notification `clickCode` (BN_CLICKED, STN_CLICKED) while it is enabled, and a static
// background (WM_CTLCOLORSTATIC) in the face colour with text in the control's font colour.
// A control overrides what is its own.
class ControlMessages : public ReflectedMessages {
public:
  explicit ControlMessages(TControl& control, std::optional<WORD> clickCode = std::nullopt)
      : control_(control), clickCode_(clickCode) {}
  virtual ~ControlMessages() = default;
  ControlMessages(const ControlMessages&) = delete;
  ControlMessages& operator=(const ControlMessages&) = delete;

  std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) final;

protected:
  // WM_CTLCOLOR*: sets the colours of `dc` and gives the background brush; empty for the
  // form's default.
  virtual std::optional<HBRUSH> OnColor(UINT message, HDC dc);
  // WM_DRAWITEM for an owner-drawn control; false when it draws nothing.
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) {
    (void)item;
    return false;
  }

private:
  TControl& control_;
  std::optional<WORD> clickCode_;
};

// The native child window of a control, made by the control's constructor.
HWND ControlWindow(const TControl& control);

}  // namespace classlib::win

struct TControl::Impl {
  // Declared first so that it outlives the window, which its form hands messages until then.
  std::unique_ptr<classlib::win::ControlMessages> messages;
  classlib::win::ChildWindow window;
  classlib::win::UniqueFont ownFont;   // when the control does not use its parent's font
  classlib::win::UniqueBitmap bitmap;  // the picture of an image

  // What the control does once its window has its place and font at a density: a label takes
  // the size of its text, an image its picture at the control's size, a list its heights.
  std::function<void()> fit;

  // Makes the child window of `control` in its parent form, at its place, with its font; the
  // form hands `answers` the messages about it.
  void Create(TControl& control, std::unique_ptr<classlib::win::ControlMessages> answers,
              const char* windowClass, DWORD style, DWORD exStyle = 0);
  // Gives the window the control's place and font again (after a change of density): its own
  // font made anew, or `parentFont`; then fits it.
  void Rescale(TControl& control, HFONT parentFont);
};
