#pragma once
// A form: a top-level window that holds controls. It is made hidden; Show raises its show event
// and then makes it visible; closing the main form ends the application.

#include <memory>
#include <string>
#include <vector>

#include "classlib/controls/controls.h"
#include "classlib/core/classes.h"
#include "classlib/core/graphics.h"

// What the window description sets on the form itself.
struct FormSettings {
  std::string caption;
  TBounds bounds{0, 0, 320, 240};  // outer size, frame and title bar included
  TFont font;
  // The screen density the description's sizes were made for (its design density), and the
  // height of its font's text at that density. On a screen of another density the form scales
  // its sizes and fonts from this one.
  int pixelsPerInch = 96;
  int textHeight = 13;
  TNotifyEvent onShow;
};

class TForm : public TComponent {
public:
  // `className` names the form's class (such as "TForm1"); on Windows it is also the name of
  // the form's window class.
  TForm(TComponent& owner, std::string className);
  ~TForm() override;

  const std::string& ClassName() const { return className_; }

  // The settings as the description gives them, at its design density (pixelsPerInch).
  void ApplySettings(FormSettings settings);
  const FormSettings& Settings() const { return settings_; }
  // The font the form's controls use, at the density the form is laid out at.
  const TFont& Font() const { return font_; }
  // The pixels per inch the form is laid out at: those of the screen it is on.
  int CurrentPPI() const { return currentPPI_; }
  // Lays the controls out again at `pixelsPerInch` (the window moved to a screen of another
  // density): each control's place, size and font scaled anew from the description's values.
  // Texts, items, the selection and the focus stay as they are.
  void ChangeScale(int pixelsPerInch);
  std::string Caption() const;
  // The outer rectangle on the screen as the platform reports it.
  TBounds BoundsRect() const;

  // Takes ownership of a control made with this form as its parent.
  template <class Control>
  Control* AddControl(std::unique_ptr<Control> control) {
    Control* raw = InsertComponent(std::move(control));
    controls_.push_back(raw);
    ControlAdded(*raw);
    return raw;
  }
  const std::vector<TControl*>& Controls() const { return controls_; }

  // Raises the show event (an error that escapes it goes to the error box at once), then
  // makes the window visible in its normal state.
  void Show();
  // Closes the window; closing the main form terminates the application.
  void Close();
  bool Visible() const;

  struct Impl;  // the platform's side: the native window
  Impl& Platform() const { return *impl_; }

private:
  // The platform's side of the operations above.
  void ControlAdded(TControl& control);
  void ShowNative();
  void HideNative();
  void ScaleNative();
  // Takes the density the form is laid out at, and the form's font at it.
  void SetScale(int pixelsPerInch);

  std::string className_;
  FormSettings settings_;
  int currentPPI_ = 96;
  TFont font_;
  std::vector<TControl*> controls_;
  std::unique_ptr<Impl> impl_;
};
