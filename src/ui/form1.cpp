#include "ui/form1.h"

#include <optional>
#include <string>

#include "classlib/application/application.h"
#include "classlib/application/shell.h"
#include "repair/client_registry.h"
#include "repair/download_list.h"
#include "repair/resume.h"
#include "ui/homepage.h"

TForm1* Form1 = nullptr;

namespace {

// The repair operations ask and tell the user through the application's message box.
class ApplicationUser : public repair::User {
public:
  int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    return Application->ShowMessageBox(text, caption, flags);
  }
};

}  // namespace

TForm1::TForm1(TComponent& owner) : TForm(owner, "TForm1") {
  ReadFormResource(*this, "TFORM1", Published());
  ODFile->SetInitialDir(repair::ReadDownloadFolder());
}

PublishedTable TForm1::Published() {
  return {
      {Field("CBResume", CBResume), Field("Label1", Label1), Field("BUpdate", BUpdate),
       Field("Label2", Label2), Field("EDamaged", EDamaged), Field("ODFile", ODFile),
       Field("BSelect", BSelect), Field("BStart", BStart), Field("LHomepage", LHomepage),
       Field("BExit", BExit), Field("Image1", Image1), Field("Bevel1", Bevel1), Field("Label3", Label3),
       Field("Label4", Label4)},
      {Method("BUpdateClick", *this, &TForm1::BUpdateClick),
       Method("BSelectClick", *this, &TForm1::BSelectClick),
       Method("BStartClick", *this, &TForm1::BStartClick),
       Method("LHomepageClick", *this, &TForm1::LHomepageClick),
       Method("BExitClick", *this, &TForm1::BExitClick)},
  };
}

void TForm1::BUpdateClick(TObject*) {
  repair::RefreshDownloadList(CBResume->Items());
  // Not reached when the list refused an entry: then nothing is selected.
  if (CBResume->Items().Count() > 0) CBResume->SetItemIndex(0);
}

void TForm1::BSelectClick(TObject*) {
  if (ODFile->Execute()) EDamaged->SetText(ODFile->FileName());
}

void TForm1::BStartClick(TObject*) {
  const std::string damagedFile = EDamaged->Text();
  const int index = CBResume->ItemIndex();
  std::optional<std::string> entryName;
  if (index >= 0) entryName = CBResume->Items().Strings(index);
  ApplicationUser user;
  repair::ResumeOnNewConnection(damagedFile, entryName, user);
}

void TForm1::LHomepageClick(TObject*) {
  classlib::ShellOpen(*this, "open", std::string("http://") + ui::kHomepageAddress, classlib::kShowNormal);
}

void TForm1::BExitClick(TObject*) { Close(); }
