#include <windows.h>

#include "classlib/controls/control_win.h"
#include "classlib/controls/stdctrls.h"

namespace {

class ButtonMessages final : public classlib::win::ControlMessages {
public:
  using ControlMessages::ControlMessages;

private:
  void OnNotify(WORD code) override {
    if (code == BN_CLICKED) ClickIfEnabled();
  }
};

}  // namespace

TButton::TButton(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // A plain push button: the form has no default button.
  Platform().Create(*this, std::make_unique<ButtonMessages>(*this), "BUTTON", BS_PUSHBUTTON);
}
