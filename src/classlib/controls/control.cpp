#include "classlib/controls/controls.h"

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
