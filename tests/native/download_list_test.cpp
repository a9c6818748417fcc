// The list of the client's download entries in the main window: filled when the window is
// shown and on Refresh, in the registry's order, with the first entry selected.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/controls/control_host.h"
#include "classlib/registry/memory_hive.h"
#include "classlib/registry/registry_api.h"
#include "repair_fixture.h"
#include "ui/form1.h"

namespace repair_test {
namespace {

namespace hive = classlib::memory_hive;
using Names = std::vector<std::string>;

// The list as the main window shows it, with the window's Refresh button.
class DownloadListRefresh : public RepairFixture {
protected:
  void TearDown() override {
    RepairFixture::TearDown();
    Form1 = nullptr;
  }
  // Makes the main window, still hidden.
  void MakeWindow() { App().CreateForm(Form1); }
  // Makes the main window and shows it, which fills the list.
  void OpenWindow() {
    MakeWindow();
    Form1->Show();
  }
  void Select(int index) { Form1->CBResume->SetItemIndex(index); }
  // Clicks the command through the application's guard, as the window's event dispatch does.
  void Click(TControl& control) {
    App().Guard([&control] { control.Click(); });
  }
  std::vector<std::string> ListedEntries() const { return Form1->CBResume->Items().ToVector(); }
};

TEST_F(DownloadListRefresh, ShowingTheWindowListsTheEntriesInTheRegistrysOrderWithTheFirstSelected) {
  for (const char* name : {"B", "A", "C"}) AddEntry(name);

  OpenWindow();

  EXPECT_EQ(ListedEntries(), (Names{"B", "A", "C"}));
  EXPECT_EQ(Form1->CBResume->ItemIndex(), 0);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(DownloadListRefresh, RefreshSelectsTheFirstEntryAgainAndPicksUpTheClientsChanges) {
  for (const char* name : {"B", "A", "C"}) AddEntry(name);
  OpenWindow();
  Select(2);

  Click(*Form1->BUpdate);
  EXPECT_EQ(ListedEntries(), (Names{"B", "A", "C"}));
  EXPECT_EQ(Form1->CBResume->ItemIndex(), 0);

  hive::DeleteKey(EntryKey("B"));
  AddEntry("D");
  Click(*Form1->BUpdate);
  EXPECT_EQ(ListedEntries(), (Names{"A", "C", "D"}));
  EXPECT_EQ(Form1->CBResume->ItemIndex(), 0);
  EXPECT_TRUE(Boxes().empty());
}

struct EmptyListCase {
  const char* label;
  std::function<void()> client;  // how the client's data looks at the refresh
  friend void PrintTo(const EmptyListCase& c, std::ostream* out) { *out << c.label; }
};

const EmptyListCase kEmptyListCases[] = {
    {"KeyVanishedSinceTheLastRefresh", [] { hive::DeleteKey(kDownloadList); }},
    {"ClientNotInstalled", [] { hive::DeleteKey("Software\\Scour"); }},
    {"NoEntriesLeft",
     [] {
       for (const char* name : {"B", "A", "C"}) hive::DeleteKey(EntryKey(name));
     }},
    {"ValuesButNoEntries",
     [] {
       hive::DeleteKey(kDownloadList);
       hive::CreateKey(kDownloadList);
       hive::SetValue(kDownloadList, "B", hive::StringValue(classlib::registry_api::kSz, "x"));
     }},
    {"FullAccessRefused", [] { hive::DenyFullAccess(kDownloadList); }},
};

class RefreshToAnEmptyList : public DownloadListRefresh,
                             public ::testing::WithParamInterface<EmptyListCase> {};

TEST_P(RefreshToAnEmptyList, DropsTheEarlierEntriesAndSelectsNothing) {
  for (const char* name : {"B", "A", "C"}) AddEntry(name);
  OpenWindow();
  ASSERT_EQ(ListedEntries().size(), 3u);

  GetParam().client();
  Click(*Form1->BUpdate);

  EXPECT_EQ(ListedEntries(), Names{});
  EXPECT_EQ(Form1->CBResume->ItemIndex(), -1);
  EXPECT_TRUE(Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, RefreshToAnEmptyList, ::testing::ValuesIn(kEmptyListCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

TEST_F(DownloadListRefresh, AFullListStopsWithTheListErrorKeepsWhatWasAddedAndSelectsNothing) {
  for (const char* name : {"B", "A", "C", "D"}) AddEntry(name);
  OpenWindow();
  ASSERT_EQ(ListedEntries().size(), 4u);
  Form1->CBResume->Platform().capacity = 2;

  Click(*Form1->BUpdate);

  EXPECT_EQ(ListedEntries(), (Names{"B", "A"}));
  EXPECT_EQ(Form1->CBResume->ItemIndex(), -1);
  EXPECT_EQ(Boxes(), std::vector{ApplicationErrorBox("Zeile kann nicht eingef\xFCgt werden")});
}

TEST_F(DownloadListRefresh, AFullListWhenTheWindowIsShownIsReportedAndTheWindowStillOpens) {
  for (const char* name : {"B", "A"}) AddEntry(name);
  MakeWindow();
  Form1->CBResume->Platform().capacity = 1;

  Form1->Show();

  EXPECT_TRUE(Form1->Visible());
  EXPECT_EQ(ListedEntries(), Names{"B"});
  EXPECT_EQ(Form1->CBResume->ItemIndex(), -1);
  EXPECT_EQ(Boxes(), std::vector{ApplicationErrorBox("Zeile kann nicht eingef\xFCgt werden")});
}

}  // namespace
}  // namespace repair_test
