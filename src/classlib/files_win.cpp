#include <windows.h>

#include <vector>

#include "classlib/files.h"
#include "classlib/handles_win.h"

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
  if (CopyFileA(from.c_str(), to.c_str(), FALSE)) return std::nullopt;
  const DWORD code = GetLastError();
  return FileError{code, SystemReason(code)};
}

std::optional<std::uint64_t> FindFileSize(const std::string& path) {
  WIN32_FIND_DATAA entry{};
  win::UniqueFind find(FindFirstFileA(path.c_str(), &entry));
  if (!find) return std::nullopt;
  return (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

ReadableFile SizeOfReadableFile(const std::string& path) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open, as it cannot be copied either.
  win::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) {
    const DWORD code = GetLastError();
    return ReadableFile{std::nullopt, FileError{code, SystemReason(code)}};
  }
  return ReadableFile{static_cast<std::uint64_t>(size.QuadPart), {}};
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

}  // namespace classlib::files
