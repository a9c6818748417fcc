#pragma once
// The standard controls of a form: labels, edits, buttons and combo boxes.

#include <memory>
#include <string>

#include "classlib/controls/controls.h"
#include "classlib/core/strings.h"

class TLabel : public TControl {
public:
  // A label sizes itself to its text in its font (unless the description turns that off).
  TLabel(TForm& parent, ControlSettings settings);
};

class TEdit : public TControl {
public:
  TEdit(TForm& parent, ControlSettings settings);
  bool ReadOnly() const { return Settings().readOnly; }
};

class TButton : public TControl {
public:
  TButton(TForm& parent, ControlSettings settings);
};

class TComboBox : public TControl {
public:
  using Style = ControlSettings::ComboStyle;

  TComboBox(TForm& parent, ControlSettings settings);
  ~TComboBox() override;

  Style ComboStyle() const { return Settings().comboStyle; }
  int ItemHeight() const { return Settings().itemHeight; }
  int DropDownCount() const { return Settings().dropDownCount; }

  // The items, in the order added. Add raises EOutOfResources when the control refuses an item.
  TStrings& Items() { return *items_; }
  const TStrings& Items() const { return *items_; }
  // The selected item's index; -1 when none is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);

private:
  std::unique_ptr<TStrings> items_;
};
