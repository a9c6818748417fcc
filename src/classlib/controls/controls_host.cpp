// Host side of the concrete controls: they hold their state in TControl::Impl.

#include "classlib/controls/control_host.h"
#include "classlib/application/resources.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/core/errors.h"
#include "classlib/core/messages.h"

namespace {

class ComboBoxItems final : public TStrings {
public:
  explicit ComboBoxItems(TControl::Impl& state) : state_(state) {}

  void Clear() override {
    state_.items.clear();
    state_.itemIndex = -1;
  }
  int Add(const std::string& text) override {
    if (static_cast<int>(state_.items.size()) >= state_.capacity) {
      throw EOutOfResources(std::string(classlib::messages::kListInsertFailed));
    }
    state_.items.push_back(text);
    return Count() - 1;
  }
  int Count() const override { return static_cast<int>(state_.items.size()); }
  std::string Strings(int index) const override {
    if (index < 0 || index >= Count()) return {};
    return state_.items[static_cast<size_t>(index)];
  }

private:
  TControl::Impl& state_;
};

}  // namespace

// Without a screen there is nothing to measure: a label keeps the size the description gives.
TLabel::TLabel(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {}

TEdit::TEdit(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {}

TButton::TButton(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {}

TComboBox::TComboBox(TForm& parent, ControlSettings settings)
    : TControl(parent, std::move(settings)), items_(std::make_unique<ComboBoxItems>(Platform())) {
  Platform().text.clear();
}

TComboBox::~TComboBox() = default;

int TComboBox::ItemIndex() const { return Platform().itemIndex; }

void TComboBox::SetItemIndex(int index) {
  // Like CB_SETCURSEL: an index outside the list selects nothing.
  Platform().itemIndex = index >= 0 && index < Items().Count() ? index : -1;
}

TImage::TImage(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {
  // The picture must exist, as it must on Windows.
  if (!Settings().pictureResource.empty()) (void)classlib::LoadDataResource(Settings().pictureResource);
}

TBevel::TBevel(TForm& parent, ControlSettings settings) : TControl(parent, std::move(settings)) {}
