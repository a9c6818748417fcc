#include "repair_fixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "classlib/files/files.h"
#include "classlib/registry/memory_hive.h"
#include "classlib/registry/registry_api.h"
#include "repair/download_list.h"
#include "repair/resume.h"

namespace classlib::host {
std::ostream& operator<<(std::ostream& out, const MessageBoxCall& call) {
  return out << "{\"" << call.text << "\", \"" << call.caption << "\", 0x" << std::hex << call.flags
             << std::dec << "}";
}
}  // namespace classlib::host

namespace repair_test {

namespace hive = classlib::memory_hive;
namespace api = classlib::registry_api;

std::string EntryKey(const std::string& name) { return std::string(kDownloadList) + '\\' + name; }

std::string Content(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  unsigned state = seed * 2654435761u + 1;
  for (auto& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 16);
  }
  return bytes;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void MakeReadOnly(const fs::path& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

constexpr std::uintmax_t kSnapshotContentLimit = 1 << 20;

std::map<std::string, std::string> TreeSnapshot(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const auto status = entry.symlink_status();
    std::string state = std::to_string(static_cast<unsigned>(status.permissions())) + ' ';
    if (fs::is_symlink(status)) {
      state += "link " + fs::read_symlink(entry.path()).string();
    } else if (fs::is_directory(status)) {
      state += "folder";
    } else if (const auto size = fs::file_size(entry.path()); size > kSnapshotContentLimit) {
      // Files of test sizes near the offset limit are sparse; their content is not read.
      state += "file of " + std::to_string(size) + " bytes written at " +
               std::to_string(fs::last_write_time(entry.path()).time_since_epoch().count());
    } else {
      state += "file " + ReadFile(entry.path());
    }
    entries[fs::relative(entry.path(), folder).string()] = state;
  }
  return entries;
}

namespace {

// The user of the repair operations: the application's message box, as in the window.
class ApplicationUser : public repair::User {
public:
  explicit ApplicationUser(TApplication& application) : application_(application) {}
  int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    return application_.ShowMessageBox(text, caption, flags);
  }

private:
  TApplication& application_;
};

}  // namespace

void RepairFixture::SetUp() {
  hive::Reset();
  workingDirectory_ = classlib::files::WorkingDirectory();

  std::string pattern = (fs::temp_directory_path() / "tavelin-repair-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
  root_ = pattern;
  downloads_ = root_ / "downloads";
  incoming_ = root_ / "incoming";
  fs::create_directory(downloads_);
  fs::create_directory(incoming_);
  // The client exists, with an empty download list.
  hive::CreateKey(kDownloadList);

  application_ = std::make_unique<TApplication>();
  classlib::host::SetMessageBoxResponder(*application_, [this](const MessageBoxCall& call) {
    if (call.caption != "Info") return classlib::mb::kIdOk;
    if (duringConfirmation_) duringConfirmation_();
    return answer_;
  });
}

void RepairFixture::TearDown() {
  application_.reset();
  // Whatever a test did, no key of the client stays open once its use has ended, and every key
  // was asked for with full access: no narrower mask, and none wider.
  EXPECT_EQ(hive::OpenHandles(), std::vector<std::string>{});
  for (const auto& request : hive::OpenRequests()) {
    EXPECT_EQ(request.access, api::kAllAccess) << request.subkey;
  }

  (void)classlib::files::ChangeWorkingDirectory(workingDirectory_);
  for (const auto& entry : fs::recursive_directory_iterator(root_)) {
    if (!fs::is_symlink(entry.symlink_status())) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
    }
  }
  fs::remove_all(root_);
  hive::Reset();
}

void RepairFixture::AddEntry(const std::string& name) { hive::CreateKey(EntryKey(name)); }

std::string RepairFixture::OffsetOf(const std::string& name) const {
  const auto value = hive::GetValue(EntryKey(name), "Offset");
  if (!value) return "<missing>";
  if (value->type != api::kSz) return "<type " + std::to_string(value->type) + ">";
  std::string text(value->data.begin(), value->data.end());
  if (text.empty() || text.back() != '\0' || text.find('\0') != text.size() - 1) return "<not one text>";
  text.pop_back();
  return text;
}

void RepairFixture::SetOffset(const std::string& name, const std::string& text) {
  hive::SetValue(EntryKey(name), "Offset", hive::StringValue(api::kSz, text + '\0'));
}

void RepairFixture::Refresh() {
  selected_ = -1;
  application_->Guard([this] {
    repair::RefreshDownloadList(entries_);
    if (entries_.Count() > 0) selected_ = 0;
  });
}

void RepairFixture::ChooseDamagedFile(const fs::path& path) {
  damagedFile_ = path.string();
  ASSERT_TRUE(classlib::files::ChangeWorkingDirectory(classlib::files::FolderOf(damagedFile_)));
}

void RepairFixture::Select(int index) { selected_ = index; }

void RepairFixture::Resume(int answer, std::function<void()> duringConfirmation) {
  answer_ = answer;
  duringConfirmation_ = std::move(duringConfirmation);
  std::optional<std::string> entry;
  if (selected_ >= 0) entry = entries_.Strings(selected_);
  ApplicationUser user(*application_);
  application_->Guard([&] { repair::ResumeOnNewConnection(damagedFile_, entry, user); });
}

const std::vector<MessageBoxCall>& RepairFixture::Boxes() const {
  return classlib::host::MessageBoxCalls(*application_);
}

std::vector<std::string> RepairFixture::ListedEntries() const { return entries_.ToVector(); }

MessageBoxCall RepairFixture::ErrorBox(const std::string& text) { return {text, "Error", 0x10}; }

MessageBoxCall RepairFixture::ApplicationErrorBox(const std::string& message) {
  return {message + ".", Application->Title(), 0x10};
}

MessageBoxCall RepairFixture::Confirmation(const std::string& text) { return {text, "Info", 0x41}; }

}  // namespace repair_test
