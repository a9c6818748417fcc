#include <windows.h>

#include "classlib/controls/control_win.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/core/errors.h"
#include "classlib/core/messages.h"

namespace {

// The items of a combo box are the control's own list.
class ComboBoxItems final : public TStrings {
public:
  explicit ComboBoxItems(const TComboBox& owner) : owner_(owner) {}

  void Clear() override { SendMessageA(Window(), CB_RESETCONTENT, 0, 0); }

  int Add(const std::string& text) override {
    const LRESULT index =
        SendMessageA(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE) {
      throw EOutOfResources(std::string(classlib::messages::kListInsertFailed));
    }
    return static_cast<int>(index);
  }

  int Count() const override { return static_cast<int>(SendMessageA(Window(), CB_GETCOUNT, 0, 0)); }

  std::string Strings(int index) const override {
    const LRESULT length = SendMessageA(Window(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(Window(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
    return text;
  }

protected:
  // Each item added to a list that redraws costs it a scroll bar update and an invalidation;
  // with redrawing off, a fill of many entries runs several times faster (measured under Wine).
  void SetUpdateState(bool updating) override {
    SendMessageA(Window(), WM_SETREDRAW, updating ? FALSE : TRUE, 0);
    if (!updating) InvalidateRect(Window(), nullptr, TRUE);
  }

private:
  HWND Window() const { return classlib::win::ControlWindow(owner_); }
  const TComboBox& owner_;
};

}  // namespace

TComboBox::TComboBox(TForm& parent, ControlSettings settings)
    : TControl(parent, std::move(settings)), items_(std::make_unique<ComboBoxItems>(*this)) {
  DWORD style = WS_VSCROLL | CBS_AUTOHSCROLL;
  style |= ComboStyle() == Style::csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
  Platform().Create(*this, std::make_unique<classlib::win::ControlMessages>(*this), "COMBOBOX", style);
  // At every density: the window's height includes the opened list (DropDownCount items and
  // its border), and the closed box's height follows from the height of its selection field,
  // which the font set anew.
  Platform().fit = [this] {
    HWND window = classlib::win::ControlWindow(*this);
    const int listHeight = ItemHeight() * DropDownCount() + 2;
    SetWindowPos(window, nullptr, 0, 0, Width(), Height() + listHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame around the field is 6 pixels at 96 pixels per inch (and at every density under
    // Wine); where the system draws it thicker, the field is made smaller by the difference.
    const int field = Height() - 6;
    SendMessageA(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    RECT closed{};
    GetWindowRect(window, &closed);
    const int excess = (closed.bottom - closed.top) - Height();
    if (excess != 0 && field - excess > 0) {
      SendMessageA(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field - excess);
    }
    SendMessageA(window, CB_SETITEMHEIGHT, 0, ItemHeight());
  };
  Platform().fit();
}

TComboBox::~TComboBox() = default;

int TComboBox::ItemIndex() const {
  const LRESULT index = SendMessageA(classlib::win::ControlWindow(*this), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void TComboBox::SetItemIndex(int index) {
  SendMessageA(classlib::win::ControlWindow(*this), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
