#include "repair_window.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

#include "classlib/files.h"
#include "classlib/memory_hive.h"
#include "classlib/open_dialog_host.h"
#include "classlib/registry_api.h"
#include "classlib/stdctrls.h"
#include "ui/form1.h"

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

void RepairWindow::SetUp() {
  hive::Reset();
  classlib::host::ResetOpenDialog();
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
}

void RepairWindow::TearDown() {
  application_.reset();
  Form1 = nullptr;
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
  classlib::host::ResetOpenDialog();
  hive::Reset();
}

void RepairWindow::AddEntry(const std::string& name) { hive::CreateKey(EntryKey(name)); }

std::string RepairWindow::OffsetOf(const std::string& name) const {
  const auto value = hive::GetValue(EntryKey(name), "Offset");
  if (!value) return "<missing>";
  if (value->type != api::kSz) return "<type " + std::to_string(value->type) + ">";
  std::string text(value->data.begin(), value->data.end());
  if (text.empty() || text.back() != '\0' || text.find('\0') != text.size() - 1) return "<not one text>";
  text.pop_back();
  return text;
}

void RepairWindow::SetOffset(const std::string& name, const std::string& text) {
  hive::SetValue(EntryKey(name), "Offset", hive::StringValue(api::kSz, text + '\0'));
}

void RepairWindow::MakeWindow() {
  application_ = std::make_unique<TApplication>();
  classlib::host::SetMessageBoxResponder(*application_, [this](const MessageBoxCall& call) {
    if (call.caption != "Info") return classlib::mb::kIdOk;
    if (duringConfirmation_) duringConfirmation_();
    return answer_;
  });
  application_->CreateForm(Form1);
}

void RepairWindow::OpenWindow() {
  MakeWindow();
  Form1->Show();
}

void RepairWindow::ChooseOldFile(const fs::path& path) {
  classlib::host::SetOpenDialogResponder([path](const classlib::OpenDialogRequest&) {
    return classlib::OpenDialogChoice{path.string(), false};
  });
  Click(*Form1->BSelect);
  ASSERT_EQ(Form1->EDamaged->Text(), path.string());
}

void RepairWindow::Select(int index) { Form1->CBResume->SetItemIndex(index); }

void RepairWindow::Click(TControl& control) {
  application_->Guard([&control] { control.Click(); });
}

void RepairWindow::Resume(int answer, std::function<void()> duringConfirmation) {
  answer_ = answer;
  duringConfirmation_ = std::move(duringConfirmation);
  Click(*Form1->BStart);
}

const std::vector<MessageBoxCall>& RepairWindow::Boxes() const {
  return classlib::host::MessageBoxCalls(*application_);
}

std::vector<std::string> RepairWindow::ListedEntries() const { return Form1->CBResume->Items().ToVector(); }

MessageBoxCall RepairWindow::ErrorBox(const std::string& text) { return {text, "Error", 0x10}; }

MessageBoxCall RepairWindow::ApplicationErrorBox(const std::string& message) {
  return {message + ".", Application->Title(), 0x10};
}

MessageBoxCall RepairWindow::Confirmation(const std::string& text) { return {text, "Info", 0x41}; }

}  // namespace repair_test
