#include "classlib/controls/control_host.h"

#include "classlib/controls/dpi_scaling.h"
#include "classlib/forms/form.h"

TControl::TControl(TForm& parent, ControlSettings settings)
    : parent_(&parent),
      described_(std::move(settings)),
      settings_(classlib::ScaleControlSettings(described_, parent.CurrentPPI(), parent.Settings().pixelsPerInch)),
      impl_(std::make_unique<Impl>()) {
  impl_->text = settings_.caption;
}

TControl::~TControl() = default;

std::string TControl::Text() const { return impl_->text; }
void TControl::SetText(const std::string& text) { impl_->text = text; }
bool TControl::Enabled() const { return impl_->enabled; }
void TControl::SetEnabled(bool enabled) { impl_->enabled = enabled; }

void TControl::ApplyScaleToWindow() {}
