#pragma once
// Controls: the parts of a window. A control's fixed settings (name, place, font, tab order,
// events) are portable; what the user can change lives in the platform's side (Impl): a native
// window on Windows, plain state on the host, where tests drive it.

#include <memory>
#include <string>

#include "classlib/core/classes.h"
#include "classlib/core/graphics.h"

struct TBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool operator==(const TBounds&) const = default;
};

// Everything the window description can set on a control, with the defaults that apply when
// it says nothing. Each control class reads the fields that belong to it.
struct ControlSettings {
  TBounds bounds;
  std::string caption;  // caption of labels and buttons, text of edits
  int tabOrder = -1;    // -1: not in the tab order
  TCursor cursor = TCursor::crDefault;
  bool parentFont = true;
  TFont font;  // used when parentFont is false
  TNotifyEvent onClick;

  // Labels. (A label is always opaque: the reader refuses Transparent = True.)
  bool autoSize = true;
  // Edits.
  bool readOnly = false;
  // Combo boxes.
  enum class ComboStyle { csDropDown, csDropDownList } comboStyle = ComboStyle::csDropDown;
  int itemHeight = 13;
  int dropDownCount = 8;
  // Images: the name of the data resource that holds the picture (a BMP file).
  std::string pictureResource;
  // Bevels.
  enum class BevelShape { bsBox, bsFrame } bevelShape = BevelShape::bsBox;
  enum class BevelStyle { bsLowered, bsRaised } bevelStyle = BevelStyle::bsLowered;
};

class TForm;

class TControl : public TComponent {
public:
  ~TControl() override;

  TForm& Parent() const { return *parent_; }
  const TBounds& Bounds() const { return settings_.bounds; }
  int Left() const { return settings_.bounds.left; }
  int Top() const { return settings_.bounds.top; }
  int Width() const { return settings_.bounds.width; }
  int Height() const { return settings_.bounds.height; }
  int TabOrder() const { return settings_.tabOrder; }
  TCursor Cursor() const { return settings_.cursor; }
  // The font the control shows its text in: its own, or its parent's.
  const TFont& Font() const;

  std::string Text() const;
  void SetText(const std::string& text);
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // Lays the control out at `to` pixels per inch: its settings anew from the description's
  // values (at `from`), scaled.
  void ChangeScale(int to, int from);
  // Gives the control's window its place and font again after ChangeScale, once its form has
  // its font at the new density.
  void ApplyScaleToWindow();

  // Runs the OnClick handler, if one is bound (a click, or the button's key).
  void Click();

  struct Impl;  // the platform's side
  Impl& Platform() const { return *impl_; }

protected:
  // `settings` are the description's; the control is laid out at its parent's density.
  TControl(TForm& parent, ControlSettings settings);
  // The settings the control is laid out with: the description's, at the parent's density.
  const ControlSettings& Settings() const { return settings_; }
  // A label that sizes itself to its text records the measured size here.
  void SetMeasuredSize(int width, int height);

private:
  TForm* parent_;
  ControlSettings described_;  // as the description gives them
  ControlSettings settings_;
  std::unique_ptr<Impl> impl_;
};

