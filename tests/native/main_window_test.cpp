// The main window made from the description the tool carries, on the host: its start folder,
// its bindings and its own commands (choosing the damaged file, the homepage, Exit).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "classlib/application/application_host.h"
#include "classlib/files/files.h"
#include "classlib/registry/memory_hive.h"
#include "classlib/dialogs/open_dialog_host.h"
#include "classlib/application/shell_host.h"
#include "ui/form1.h"
#include "ui/homepage.h"

namespace {

namespace hive = classlib::memory_hive;
using namespace std::string_view_literals;

constexpr char kOptions[] = "Software\\Scour\\Scour Exchange\\Options";

class MainWindowTest : public testing::Test {
protected:
  void SetUp() override {
    hive::Reset();
    classlib::host::ResetOpenDialog();
    classlib::host::ClearShellRequests();
    startFolder_ = classlib::files::WorkingDirectory();
    char pattern[] = "/tmp/tavelin-window-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    scratch_ = pattern;
  }
  void TearDown() override {
    Form1 = nullptr;  // the window goes with the application object of the test
    (void)classlib::files::ChangeWorkingDirectory(startFolder_);
    std::filesystem::remove_all(scratch_);
    classlib::host::ResetOpenDialog();
    hive::Reset();
  }

  // A folder of the scratch area, made if needed.
  std::string Folder(const std::string& name) {
    const std::string folder = scratch_ + "/" + name;
    std::filesystem::create_directories(folder);
    return folder;
  }

  TApplication application;
  std::string startFolder_;
  std::string scratch_;
};

TEST_F(MainWindowTest, MakesEveryControlAndStartsTheDialogInTheDownloadFolder) {
  hive::CreateKey(kOptions);
  hive::SetValue(kOptions, "DownloadFolder", hive::StringValue(classlib::registry_api::kSz, "C:\\Downloads\\Scour\0"sv));
  application.CreateForm(Form1);
  ASSERT_NE(Form1, nullptr);
  EXPECT_EQ(application.MainForm(), Form1);
  EXPECT_EQ(Form1->Caption(), "Tavelin");
  for (TComponent* field : std::initializer_list<TComponent*>{
           Form1->CBResume, Form1->Label1, Form1->BUpdate, Form1->Label2, Form1->EDamaged, Form1->ODFile,
           Form1->BSelect, Form1->BStart, Form1->LHomepage, Form1->BExit, Form1->Image1, Form1->Bevel1,
           Form1->Label3, Form1->Label4}) {
    EXPECT_NE(field, nullptr);
  }
  EXPECT_EQ(Form1->ODFile->InitialDir(), "C:\\Downloads\\Scour");
  EXPECT_EQ(Form1->EDamaged->Text(), "");
  EXPECT_EQ(Form1->LHomepage->Text(), std::string("Homepage: ") + ui::kHomepageAddress);
  EXPECT_TRUE(hive::OpenHandles().empty()) << "no key of the client stays open after start-up";
}

TEST_F(MainWindowTest, WithoutTheClientTheDialogHasNoStartFolderAndNothingIsCreated) {
  application.CreateForm(Form1);
  EXPECT_EQ(Form1->ODFile->InitialDir(), "");
  EXPECT_FALSE(hive::KeyExists("Software\\Scour"));
}

TEST_F(MainWindowTest, ADownloadFolderThatIsNotTextStopsTheMakingOfTheWindow) {
  hive::CreateKey(kOptions);
  hive::SetValue(kOptions, "DownloadFolder", {classlib::registry_api::kDword, {1, 0, 0, 0}});
  try {
    application.CreateForm(Form1);
    ADD_FAILURE() << "no error";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), "Ung\xFCltiger Datentyp f\xFCr 'DownloadFolder'");
  }
  EXPECT_EQ(Form1, nullptr);
  EXPECT_TRUE(hive::OpenHandles().empty());
}

TEST_F(MainWindowTest, ShowingTheWindowAndRefreshFillTheListTheSameWay) {
  const std::string list = "Software\\Scour\\Scour Exchange\\Download List";
  for (const char* entry : {"B", "A", "C"}) hive::CreateKey(list + "\\" + entry);
  application.CreateForm(Form1);
  Form1->Show();
  EXPECT_EQ(Form1->CBResume->Items().ToVector(), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_EQ(Form1->CBResume->ItemIndex(), 0);
  Form1->CBResume->SetItemIndex(2);
  Form1->BUpdate->Click();
  EXPECT_EQ(Form1->CBResume->Items().ToVector(), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_EQ(Form1->CBResume->ItemIndex(), 0);
}

TEST_F(MainWindowTest, SelectFileTakesOnlyAConfirmedChoiceAndMovesTheCurrentDirectoryToIt) {
  const std::string downloads = Folder("downloads");
  const std::string other = Folder("other");
  hive::CreateKey(kOptions);
  hive::SetValue(kOptions, "DownloadFolder", hive::StringValue(classlib::registry_api::kSz, downloads + '\0'));
  application.CreateForm(Form1);

  // Each answer the user gives, in turn: cancel, a choice in `other` with read-only ticked,
  // cancel again, a choice whose folder does not exist.
  std::vector<std::optional<classlib::OpenDialogChoice>> answers = {
      std::nullopt,
      classlib::OpenDialogChoice{other + "/old.part", true},
      std::nullopt,
      classlib::OpenDialogChoice{scratch_ + "/gone/x.part", false},
  };
  size_t next = 0;
  classlib::host::SetOpenDialogResponder([&](const classlib::OpenDialogRequest& request) {
    // The platform's dialog may move the current directory while the user browses.
    (void)classlib::files::ChangeWorkingDirectory(downloads);
    (void)request;
    return answers.at(next++);
  });

  Form1->BSelect->Click();
  EXPECT_EQ(Form1->EDamaged->Text(), "") << "cancel before any choice";
  EXPECT_EQ(classlib::files::WorkingDirectory(), startFolder_) << "a cancel leaves the current directory";

  Form1->BSelect->Click();
  EXPECT_EQ(Form1->EDamaged->Text(), other + "/old.part");
  EXPECT_EQ(classlib::files::WorkingDirectory(), other) << "the chosen file's folder, not the one browsed";

  Form1->BSelect->Click();
  EXPECT_EQ(Form1->EDamaged->Text(), other + "/old.part") << "cancel keeps the old path";
  EXPECT_EQ(classlib::files::WorkingDirectory(), other);

  Form1->BSelect->Click();
  EXPECT_EQ(Form1->EDamaged->Text(), other + "/old.part") << "a folder that does not exist is no choice";
  EXPECT_EQ(classlib::files::WorkingDirectory(), other);

  const auto& requests = classlib::host::OpenDialogRequests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0].flags, 0x80020u) << "OFN_ENABLEHOOK | OFN_EXPLORER";
  EXPECT_EQ(requests[0].fileName, "");
  EXPECT_EQ(requests[0].initialDir, downloads);
  EXPECT_EQ(requests[2].flags, 0x80021u) << "the read-only box comes up ticked after it was ticked";
  EXPECT_EQ(requests[2].fileName, other + "/old.part") << "the dialog opens with the last file named";
}

TEST_F(MainWindowTest, ALastFileLongerThanTheDialogsBufferIsCutToFit) {
  application.CreateForm(Form1);
  Form1->ODFile->SetFileName(std::string(400, 'x'));
  (void)Form1->ODFile->Execute();
  ASSERT_EQ(classlib::host::OpenDialogRequests().size(), 1u);
  EXPECT_EQ(classlib::host::OpenDialogRequests()[0].fileName.size(), 259u);
}

// The client's download folder can hold any text; one longer than a path is no start folder.
TEST_F(MainWindowTest, AStartFolderLongerThanAPathIsNotGivenToTheDialog) {
  application.CreateForm(Form1);
  for (const size_t length : {259u, 260u, 65535u}) {
    Form1->ODFile->SetInitialDir(std::string(length, 'x'));
    (void)Form1->ODFile->Execute();
  }
  const auto& requests = classlib::host::OpenDialogRequests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].initialDir, std::string(259, 'x'));
  EXPECT_EQ(requests[1].initialDir, "");
  EXPECT_EQ(requests[2].initialDir, "");
  EXPECT_EQ(Form1->ODFile->InitialDir().size(), 65535u) << "the setting itself is kept";
}

TEST_F(MainWindowTest, HomepageOpensTheAddressInTheBrowserAndExitClosesTheWindow) {
  application.CreateForm(Form1);
  Form1->LHomepage->Click();
  const auto& requests = classlib::host::ShellRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].owner, Form1);
  EXPECT_EQ(requests[0].verb, "open");
  EXPECT_EQ(requests[0].file, "http://example.org/tavelin");
  EXPECT_EQ(requests[0].show, 1);

  classlib::host::PostEvent(application, [] { Form1->BExit->Click(); });
  application.Run();
  EXPECT_TRUE(application.Terminated());
  EXPECT_FALSE(Form1->Visible());
  EXPECT_TRUE(classlib::host::MessageBoxCalls(application).empty()) << "nothing is asked";
}

}  // namespace
