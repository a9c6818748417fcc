#pragma once
// The file system seam: the few file operations the tool needs, with the outcomes it relies on.
// files_win.cpp uses the Win32 A functions; files_host.cpp uses POSIX and std::filesystem, so
// the tool's file steps run in native tests on real files in a scratch folder.

#include <cstdint>
#include <optional>
#include <string>

namespace classlib::files {

// The process's current directory, and changing it.
std::string WorkingDirectory();
[[nodiscard]] bool ChangeWorkingDirectory(const std::string& folder);

// The folder part of a full path: "C:\a\b.txt" -> "C:\a", "C:\b.txt" -> "C:\", "/a/b" -> "/a".
std::string FolderOf(const std::string& path);

// Deletes a file (DeleteFileA). False when it could not be deleted (missing, read-only, held).
[[nodiscard]] bool RemoveFile(const std::string& path);

// The reason of a failed file operation, in the system's words.
struct FileError {
  unsigned long code = 0;  // GetLastError / errno
  std::string reason;      // FormatMessageA / strerror, without a trailing line break
};

// Copies `from` to `to`, replacing a file of that name (CopyFileA, fail-if-exists FALSE).
// Returns the error when the copy failed. A copy that broke off (a full disk) leaves no part of
// itself behind under the target's name; a target the failed copy did not touch stays as it was.
[[nodiscard]] std::optional<FileError> CopyFileOver(const std::string& from, const std::string& to);

// The size of the file `path` names, read from its directory entry (FindFirstFileA): no file
// data is read. Empty when no such file exists.
std::optional<std::uint64_t> FindFileSize(const std::string& path);

// The name under which its folder lists the file that `path` finds, when that is not the name
// the path gives (case aside): Windows also finds a file by its generated short name, so
// "HOLIDA~1.AVI" can stand for "holiday video.avi". Empty when no file is found, or the file
// bears the very name (always on the host, which has no second names).
std::optional<std::string> OtherNameOf(const std::string& path);

// The size of a file that a copy could read: it is opened for reading (others may go on
// reading, writing and deleting it) and its size taken, without reading data. Without a size,
// `error` says why it cannot be read: missing, a folder, access refused, held by another program.
struct ReadableFile {
  std::optional<std::uint64_t> size;
  FileError error;
};
ReadableFile SizeOfReadableFile(const std::string& path);

// What makes a file the same file whatever path names it: the volume and the file's index
// (device and inode on the host). Empty when the file cannot be opened.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOf(const std::string& path);

}  // namespace classlib::files
