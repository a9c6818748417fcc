#pragma once
// Controls that only show something: a picture and a sunken frame.

#include "classlib/controls/controls.h"

class TImage : public TControl {
public:
  // Shows the picture of the data resource the settings name, at its own size, from the
  // control's top-left corner.
  TImage(TForm& parent, ControlSettings settings);
};

class TBevel : public TControl {
public:
  using Shape = ControlSettings::BevelShape;
  using Style = ControlSettings::BevelStyle;

  TBevel(TForm& parent, ControlSettings settings);
  Shape BevelShape() const { return Settings().bevelShape; }
  Style BevelStyle() const { return Settings().bevelStyle; }
};
