// The client changes its download list while the real tool runs: a thread of the driver adds
// and deletes entries without pause while Refresh is pressed a thousand times. The tool must
// not crash, each list it shows must hold only names that existed, each once, and no key of the
// client may stay open in the tool's process.

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "e2e/driver.h"

namespace e2e {
namespace {

// Adds entries of random names (so that they sort in anywhere among the others) and deletes
// random ones, keeping ten or so, until stopped. Knows every name it ever made.
class ChangingClient {
public:
  explicit ChangingClient(const std::vector<std::string>& fixed) : made_(fixed.begin(), fixed.end()) {
    for (const auto& name : fixed) client::AddEntry(name);
  }
  ~ChangingClient() { Stop(); }

  void Start() {
    thread_ = std::thread([this] { Run(); });
  }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool Made(const std::string& name) const {
    std::lock_guard lock(mutex_);
    return made_.count(name) != 0;
  }
  int Changes() const { return changes_; }

private:
  void Run() {
    HKEY list = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, client::kDownloadList, 0, KEY_ALL_ACCESS, &list) != ERROR_SUCCESS) return;
    std::mt19937 random(2024);
    std::vector<std::string> live;
    for (int counter = 0; !stop_; ++counter) {
      std::string name;
      for (int i = 0; i < 3; ++i) name += static_cast<char>('a' + random() % 26);
      name += " " + std::to_string(counter) + ".avi";
      {
        // Known before it exists, so that a list read at any moment finds it known.
        std::lock_guard lock(mutex_);
        made_.insert(name);
      }
      HKEY entry = nullptr;
      if (RegCreateKeyExA(list, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &entry, nullptr) ==
          ERROR_SUCCESS) {
        RegCloseKey(entry);
        live.push_back(name);
      }
      while (live.size() > 8) {
        const auto victim = live.begin() + static_cast<std::ptrdiff_t>(random() % live.size());
        RegDeleteKeyA(list, victim->c_str());
        live.erase(victim);
      }
      changes_ += 2;
      // A change every few milliseconds: many during the refreshes, without starving the tool.
      Sleep(2);
    }
    RegCloseKey(list);
  }

  mutable std::mutex mutex_;
  std::set<std::string> made_;
  std::atomic<bool> stop_ = false;
  std::atomic<int> changes_ = 0;
  std::thread thread_;
};

class ChangingClientTest : public testing::Test {
protected:
  void SetUp() override { client::Remove(); }
  void TearDown() override { client::Remove(); }
};

TEST_F(ChangingClientTest, AThousandRefreshesWhileTheListChangesShowOnlyNamesThatExistedAndLeaveNoKeyOpen) {
  ChangingClient changing({"fixed one.avi", "fixed two.avi"});
  Tool tool;
  HWND main = tool.MainWindow();
  ASSERT_NE(main, nullptr);
  tool.Settle();
  const HWND refresh = Child(main, L"Button", L"&Refresh").handle;
  const HWND list = Child(main, L"ComboBox").handle;
  // The handles the window holds once it has refreshed a few times.
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(ClickButtonAndWait(refresh));
  tool.Settle();
  const int handlesBefore = HandleCount(tool.ProcessId());
  ASSERT_GT(handlesBefore, 0) << "the system's handle table cannot be read";
  {
    // The count sees a key held open, as here by the driver itself.
    const int own = HandleCount(GetCurrentProcessId());
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, client::kDownloadList, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(HandleCount(GetCurrentProcessId()), own + 1);
    RegCloseKey(key);
  }

  changing.Start();
  int strangers = 0, duplicates = 0, badSelections = 0, nonEmpty = 0;
  std::string example;
  for (int refreshes = 0; refreshes < 1000; ++refreshes) {
    ASSERT_TRUE(ClickButtonAndWait(refresh)) << "refresh " << refreshes << " did not end in time";
    const auto items = ComboItems(list);
    std::set<std::string> seen;
    for (const auto& item : items) {
      const std::string name = Narrow(item);
      if (!changing.Made(name)) {
        ++strangers;
        example = "a name never made: " + name;
      }
      if (!seen.insert(name).second) {
        ++duplicates;
        example = "listed twice: " + name;
      }
    }
    nonEmpty += items.empty() ? 0 : 1;
    if (ComboSelection(list) != (items.empty() ? CB_ERR : 0)) ++badSelections;
  }
  changing.Stop();

  EXPECT_EQ(strangers, 0) << example;
  EXPECT_EQ(duplicates, 0) << example;
  EXPECT_EQ(badSelections, 0) << "the first entry is selected after each refresh";
  EXPECT_GT(nonEmpty, 0);
  EXPECT_GT(changing.Changes(), 1000) << "the client changed its list while the tool read it";
  tool.Settle();
  EXPECT_TRUE(tool.Dialogs().empty()) << "no box";
  EXPECT_FALSE(tool.WaitForExit(0ms).has_value()) << "the tool still runs";
  EXPECT_EQ(HandleCount(tool.ProcessId()), handlesBefore) << "a key was left open";

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool.WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
