#include "classlib/controls/controls.h"

#include "classlib/controls/dpi_scaling.h"
#include "classlib/forms/form.h"

const TFont& TControl::Font() const {
  return settings_.parentFont ? parent_->Font() : settings_.font;
}

void TControl::Click() {
  if (settings_.onClick) settings_.onClick(this);
}

void TControl::SetMeasuredSize(int width, int height) {
  settings_.bounds.width = width;
  settings_.bounds.height = height;
}

void TControl::ChangeScale(int to, int from) { settings_ = classlib::ScaleControlSettings(described_, to, from); }
