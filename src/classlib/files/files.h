#pragma once
// The file system seam: the few file operations the tool needs, with the outcomes it relies on.
// files_win.cpp uses the Win32 A functions; files_host.cpp uses POSIX and std::filesystem, so
// the tool's file steps run in native tests on real files in a scratch folder.

#include <cstddef>
#include <cstdint>
#include <utility>
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

// The first `count` bytes of the file `path` names, fewer when it is shorter. It is opened for
// reading while others may go on reading, writing and deleting it. Empty when it cannot be
// opened or read: missing, a folder, held by another program without leave to read.
std::optional<std::string> ReadStart(const std::string& path, std::size_t count);

// What makes a file the same file whatever path names it: the volume and the file's index
// (device and inode on the host). Empty when the file cannot be opened.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOf(const std::string& path);

// Why a file could not be held for a copy.
enum class HoldFailure {
  kNone,
  kMissing,   // no file of that name (moved, renamed or deleted)
  kNotAFile,  // the name is a folder's
  kInUse,     // another program has it open to write (or to rename or delete) it
  kOther,     // access refused, or another reason the system gives
};

struct HoldOutcome;
// A file held open for one copy. While it is held, others may read it but may neither write,
// rename nor delete it, so the file that was checked is the file that is copied, whole, and no
// delete can reach it under any of its names. CopyFileOver can still read it. Released when the
// object goes. Its identity and size are read through the held handle, so they are the held
// file's, whatever its name names by then.
class HeldFile {
public:
  HeldFile() = default;
  ~HeldFile();
  HeldFile(HeldFile&& other) noexcept;
  HeldFile& operator=(HeldFile&& other) noexcept;
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  explicit operator bool() const { return handle_ != kNoHandle; }
  const FileIdentity& Identity() const { return identity_; }
  std::uint64_t Size() const { return size_; }

private:
  friend HoldOutcome HoldForCopy(const std::string& path);
  static constexpr std::intptr_t kNoHandle = -1;  // INVALID_HANDLE_VALUE, and no descriptor
  void Release();

  std::intptr_t handle_ = kNoHandle;
  FileIdentity identity_;
  std::uint64_t size_ = 0;
};

struct HoldOutcome {
  HeldFile file;  // held, or empty with `failure` and `error` saying why not
  HoldFailure failure = HoldFailure::kNone;
  FileError error;
};

// Holds the file `path` names for a copy from it (see HeldFile).
HoldOutcome HoldForCopy(const std::string& path);

}  // namespace classlib::files
