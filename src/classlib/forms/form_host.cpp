// Host side of a form: it is visible or not; there is no window to make.

#include "classlib/controls/dpi_scaling.h"
#include "classlib/forms/form.h"

struct TForm::Impl {
  bool visible = false;
};

TForm::TForm(TComponent& owner, std::string className)
    : className_(std::move(className)), impl_(std::make_unique<Impl>()) {
  (void)owner;
}

TForm::~TForm() {
  DestroyComponents();
  controls_.clear();
}

void TForm::ApplySettings(FormSettings settings) {
  settings_ = std::move(settings);
  SetScale(currentPPI_);
}
std::string TForm::Caption() const { return settings_.caption; }
// No frame on the host: the outer size is scaled as a whole.
TBounds TForm::BoundsRect() const {
  return classlib::ScaleFormBounds(settings_.bounds, {}, {}, currentPPI_, settings_.pixelsPerInch);
}
bool TForm::Visible() const { return impl_->visible; }
void TForm::ShowNative() { impl_->visible = true; }
void TForm::HideNative() { impl_->visible = false; }
void TForm::ControlAdded(TControl&) {}
void TForm::ScaleNative() {}
