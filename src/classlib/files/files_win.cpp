#include <windows.h>

#include <algorithm>
#include <vector>

#include "classlib/files/files.h"
#include "classlib/core/handles_win.h"

namespace classlib::files {
namespace {

std::string SystemReason(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = length ? std::string(text, length) : "Error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) {
    reason.pop_back();
  }
  return reason;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// What a file is and holds, by its directory entry: empty when there is no such file.
std::optional<BY_HANDLE_FILE_INFORMATION> StateOf(const std::string& path) {
  win::UniqueFile file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  return info;
}

bool SameState(const std::optional<BY_HANDLE_FILE_INFORMATION>& a,
               const std::optional<BY_HANDLE_FILE_INFORMATION>& b) {
  if (!a || !b) return !a && !b;
  return a->dwVolumeSerialNumber == b->dwVolumeSerialNumber && a->nFileIndexHigh == b->nFileIndexHigh &&
         a->nFileIndexLow == b->nFileIndexLow && a->nFileSizeHigh == b->nFileSizeHigh &&
         a->nFileSizeLow == b->nFileSizeLow &&
         CompareFileTime(&a->ftLastWriteTime, &b->ftLastWriteTime) == 0;
}

}  // namespace

std::string WorkingDirectory() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

bool ChangeWorkingDirectory(const std::string& folder) {
  return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

std::optional<FileError> CopyFileOver(const std::string& from, const std::string& to) {
  // Windows does not replace a read-only file and fails with ERROR_ACCESS_DENIED; Wine run by
  // root does, since it keeps the attribute as Unix permissions, which root passes by. Checked
  // first, so that the target survives everywhere, with the code Windows gives.
  const DWORD attributes = GetFileAttributesA(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return FileError{ERROR_ACCESS_DENIED, SystemReason(ERROR_ACCESS_DENIED)};
  }
  const auto before = StateOf(to);
  if (CopyFileA(from.c_str(), to.c_str(), FALSE)) return std::nullopt;
  const DWORD code = GetLastError();
  // Wine's CopyFileA leaves what it wrote before a write failed (a full disk): a part of the old
  // file under the new file's name, which the client would take for its own data. A target the
  // failed copy did not touch (held open, not to be opened) stays as it was.
  if (!SameState(StateOf(to), before)) (void)DeleteFileA(to.c_str());
  return FileError{code, SystemReason(code)};
}

std::optional<std::uint64_t> FindFileSize(const std::string& path) {
  WIN32_FIND_DATAA entry{};
  win::UniqueFind find(FindFirstFileA(path.c_str(), &entry));
  if (!find) return std::nullopt;
  return (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

std::optional<std::string> OtherNameOf(const std::string& path) {
  WIN32_FIND_DATAA entry{};
  win::UniqueFind find(FindFirstFileA(path.c_str(), &entry));
  if (!find) return std::nullopt;
  const auto slash = path.find_last_of("\\/");
  const std::wstring given = Wide(slash == std::string::npos ? path : path.substr(slash + 1));
  const std::wstring listed = Wide(entry.cFileName);
  // File names compare as the file system compares them: ordinal, case ignored.
  if (CompareStringOrdinal(given.c_str(), static_cast<int>(given.size()), listed.c_str(),
                           static_cast<int>(listed.size()), TRUE) == CSTR_EQUAL) {
    return std::nullopt;
  }
  return std::string(entry.cFileName);
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  // Opening for no access at all works on files that others hold open; the data is not read.
  win::UniqueFile file(CreateFileA(path.c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::optional<std::string> ReadStart(const std::string& path, std::size_t count) {
  win::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes(count, '\0');
  std::size_t done = 0;
  while (done < count) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - done, 1 << 20));
    if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

void HeldFile::Release() {
  if (handle_ != kNoHandle) CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kNoHandle;
}

HoldOutcome HoldForCopy(const std::string& path) {
  // Sharing read alone: others may read, but an open to write, rename or delete the file fails
  // while it is held, and so does this open while another program has it open to write.
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open, as it cannot be copied either.
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  HoldOutcome outcome;
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    outcome.error = FileError{code, SystemReason(code)};
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      outcome.failure = HoldFailure::kNotAFile;
    } else if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
      outcome.failure = HoldFailure::kMissing;
    } else if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) {
      outcome.failure = HoldFailure::kInUse;
    } else {
      outcome.failure = HoldFailure::kOther;
    }
    return outcome;
  }
  outcome.file.handle_ = reinterpret_cast<std::intptr_t>(handle);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) {
    const DWORD code = GetLastError();
    outcome.file.Release();
    outcome.failure = HoldFailure::kOther;
    outcome.error = FileError{code, SystemReason(code)};
    return outcome;
  }
  outcome.file.identity_ = FileIdentity{
      info.dwVolumeSerialNumber, (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  outcome.file.size_ = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  return outcome;
}

}  // namespace classlib::files
