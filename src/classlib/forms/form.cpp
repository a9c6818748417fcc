#include "classlib/forms/form.h"

#include "classlib/application/application.h"
#include "classlib/controls/dpi_scaling.h"

void TForm::Show() {
  if (settings_.onShow) {
    // An error of the show event is reported at once; the window is shown all the same.
    if (Application) {
      Application->Guard([this] { settings_.onShow(this); });
    } else {
      settings_.onShow(this);
    }
  }
  ShowNative();
}

void TForm::Close() {
  // No close query: closing is always allowed. The main form's close ends the tool.
  HideNative();
  if (Application && Application->MainForm() == this) Application->Terminate();
}

void TForm::SetScale(int pixelsPerInch) {
  currentPPI_ = pixelsPerInch;
  font_ = classlib::ScaleFont(settings_.font, currentPPI_, settings_.pixelsPerInch);
}

void TForm::ChangeScale(int pixelsPerInch) {
  SetScale(pixelsPerInch);
  for (TControl* control : controls_) control->ChangeScale(currentPPI_, settings_.pixelsPerInch);
  ScaleNative();
}
