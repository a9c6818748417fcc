#pragma once
// The repair operations on the host, over a scratch folder of real files and the emptied
// in-memory hive, with the test playing the user and the client. No window is made: the list
// of entries is a list of texts, the damaged file a path, and the user's boxes are answered by
// the application object's responder, whose guard shows an escaping error as the window would.
//
// Layout of the scratch folder: "downloads" is where the client keeps its files and where the
// tests put the new files; "incoming" holds old files that lie elsewhere. The process's current
// directory is restored when the test ends.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/application/application.h"
#include "classlib/application/application_host.h"
#include "classlib/core/strings.h"

namespace classlib::host {
std::ostream& operator<<(std::ostream& out, const MessageBoxCall& call);
}  // namespace classlib::host

namespace repair_test {

namespace fs = std::filesystem;
using classlib::host::MessageBoxCall;

inline constexpr char kDownloadList[] = "Software\\Scour\\Scour Exchange\\Download List";
std::string EntryKey(const std::string& name);

// `size` bytes that differ from file to file with `seed`, so that a copy of the wrong file shows.
std::string Content(std::size_t size, unsigned seed = 1);
void WriteFile(const fs::path& path, const std::string& bytes);
std::string ReadFile(const fs::path& path);
void MakeReadOnly(const fs::path& path);

// Every entry below `folder` (links not followed) with its kind, permissions and content or
// link target (for a file above 1 MiB its size and time of writing), to show that nothing in
// it changed.
std::map<std::string, std::string> TreeSnapshot(const fs::path& folder);

class RepairFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  const fs::path& Root() const { return root_; }
  const fs::path& Downloads() const { return downloads_; }
  const fs::path& Incoming() const { return incoming_; }

  // One download entry of the client, after those added before it.
  void AddEntry(const std::string& name);
  // The entry's "Offset" as the client would read it: the REG_SZ text without its zero byte;
  // "<missing>" or "<type N>" when it is not a single REG_SZ text.
  std::string OffsetOf(const std::string& name) const;
  void SetOffset(const std::string& name, const std::string& text);

  // Fills the list of entries from the client's data and selects the first, as the window does
  // when it is shown and on Refresh.
  void Refresh();
  // The damaged file as the file dialog leaves it: its path chosen, and the current directory
  // moved to its folder.
  void ChooseDamagedFile(const fs::path& path);
  void Select(int index);
  // Resumes the selected entry with the chosen damaged file, inside the application's guard as
  // the window's click would. The confirmation is answered with `answer` after
  // `duringConfirmation` has run (what the user or the client does while the box is open);
  // any other box with OK.
  void Resume(int answer = classlib::mb::kIdOk, std::function<void()> duringConfirmation = {});

  TStrings& Entries() { return entries_; }
  const std::string& DamagedFile() const { return damagedFile_; }
  int Selected() const { return selected_; }
  const std::vector<MessageBoxCall>& Boxes() const;
  std::vector<std::string> ListedEntries() const;
  TApplication& App() { return *application_; }

  // The message box of a refusal or failure of the resume operation.
  static MessageBoxCall ErrorBox(const std::string& text);
  // The application's error box (captioned with its title), for an error that escaped a handler.
  static MessageBoxCall ApplicationErrorBox(const std::string& message);
  static MessageBoxCall Confirmation(const std::string& text);

private:
  fs::path root_, downloads_, incoming_;
  std::string workingDirectory_;
  std::unique_ptr<TApplication> application_;
  TStringList entries_;
  std::string damagedFile_;
  int selected_ = -1;
  int answer_ = classlib::mb::kIdOk;
  std::function<void()> duringConfirmation_;
};

}  // namespace repair_test
