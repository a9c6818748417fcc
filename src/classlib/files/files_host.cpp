#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

#include "classlib/files/files.h"

namespace classlib::files {
namespace {

FileError ErrorFrom(int code) { return FileError{static_cast<unsigned long>(code), std::strerror(code)}; }

// Owns one file descriptor and closes it once.
class UniqueFd {
public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }

  int get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }
  explicit operator bool() const { return fd_ >= 0; }
  // Closes now and reports whether the close worked: the last written data can fail here.
  [[nodiscard]] bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
  int fd_;
};

// Opens `path` for reading as a copy's source: a folder is not a file that can be read.
std::optional<FileError> OpenForReading(const std::string& path, UniqueFd& file, struct stat& info) {
  file = UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) return ErrorFrom(errno);
  if (::fstat(file.get(), &info) != 0) return ErrorFrom(errno);
  if (S_ISDIR(info.st_mode)) return ErrorFrom(EISDIR);
  return std::nullopt;
}

// Copies all of `from` into `to`; the error number of the first read or write that failed.
int CopyData(int from, int to) {
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(from, buffer, sizeof buffer);
    if (got == 0) return 0;
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = ::write(to, buffer + done, static_cast<size_t>(got - done));
      if (put < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      done += put;
    }
  }
}

// Windows keeps a held file from being written, renamed or deleted by anyone; POSIX has no such
// sharing. The host side keeps the promise for what goes through this seam, as Windows would for
// every program: it notes the files it holds, and its delete and copy refuse to touch them with
// the error of a file in use. This is the state the platform keeps in its kernel, so it lives
// as long as the process.
using FileKey = std::pair<dev_t, ino_t>;
std::map<FileKey, int>& HeldFiles() {
  static std::map<FileKey, int> held;
  return held;
}

bool IsHeld(const struct stat& info) { return HeldFiles().count({info.st_dev, info.st_ino}) != 0; }

// Whether some descriptor, of this process or another, has the file open to write. A read lease
// is refused exactly then; it is given back at once, since a held lease would stall the writer.
// Where leases are not to be had (another owner, a file system without them), nobody is known
// to write.
bool OpenToWrite(int fd) {
  if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
    (void)::fcntl(fd, F_SETLEASE, F_UNLCK);
    return false;
  }
  return errno == EAGAIN;
}

}  // namespace

std::string WorkingDirectory() {
  std::error_code error;
  auto path = std::filesystem::current_path(error);
  return error ? std::string() : path.string();
}

bool ChangeWorkingDirectory(const std::string& folder) { return ::chdir(folder.c_str()) == 0; }

bool RemoveFile(const std::string& path) {
  // Like DeleteFileA: a read-only file is not deleted, and a folder is not a file.
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  if ((info.st_mode & S_IWUSR) == 0 || IsHeld(info)) return false;
  return ::unlink(path.c_str()) == 0;
}

std::optional<FileError> CopyFileOver(const std::string& from, const std::string& to) {
  UniqueFd source(-1);
  struct stat sourceInfo {};
  if (auto error = OpenForReading(from, source, sourceInfo)) return error;

  // Like CopyFileA, which leaves the target as it was in each of these cases: a folder is not
  // replaced, a read-only file is not replaced, and a file is not copied onto itself (Windows
  // refuses that as a sharing violation; here it would empty the very file being read).
  struct stat target {};
  if (::stat(to.c_str(), &target) == 0) {
    if (target.st_dev == sourceInfo.st_dev && target.st_ino == sourceInfo.st_ino) return ErrorFrom(EBUSY);
    if (S_ISDIR(target.st_mode)) return ErrorFrom(EISDIR);
    if (IsHeld(target)) return ErrorFrom(ETXTBSY);
    if ((target.st_mode & S_IWUSR) == 0) return ErrorFrom(EACCES);
  }

  UniqueFd destination(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (!destination) return ErrorFrom(errno);
  int failure = CopyData(source.get(), destination.get());
  // The copy carries the source's permissions, as CopyFileA carries its attributes.
  if (failure == 0 && ::fchmod(destination.get(), sourceInfo.st_mode & 0777) != 0) failure = errno;
  if (!destination.Close() && failure == 0) failure = errno;
  if (failure == 0) return std::nullopt;
  // A copy that broke off halfway must not leave a partial file that looks like the copy.
  ::unlink(to.c_str());
  return ErrorFrom(failure);
}

std::optional<std::uint64_t> FindFileSize(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::string> OtherNameOf(const std::string&) { return std::nullopt; }

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<std::string> ReadStart(const std::string& path, std::size_t count) {
  UniqueFd file(-1);
  struct stat info {};
  if (OpenForReading(path, file, info)) return std::nullopt;
  std::string bytes(count, '\0');
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(file.get(), bytes.data() + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

void HeldFile::Release() {
  if (handle_ == kNoHandle) return;
  const int fd = static_cast<int>(handle_);
  struct stat info {};
  if (::fstat(fd, &info) == 0) {
    auto& held = HeldFiles();
    const auto it = held.find({info.st_dev, info.st_ino});
    if (it != held.end() && --it->second == 0) held.erase(it);
  }
  ::close(fd);
  handle_ = kNoHandle;
}

HoldOutcome HoldForCopy(const std::string& path) {
  HoldOutcome outcome;
  UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  std::optional<FileError> error;
  if (!file) {
    error = ErrorFrom(errno);
  } else if (::fstat(file.get(), &info) != 0) {
    error = ErrorFrom(errno);
  }
  if (error) {
    outcome.error = *error;
    outcome.failure = error->code == ENOENT || error->code == ENOTDIR ? HoldFailure::kMissing : HoldFailure::kOther;
    return outcome;
  }
  if (S_ISDIR(info.st_mode)) {
    outcome.error = ErrorFrom(EISDIR);
    outcome.failure = HoldFailure::kNotAFile;
    return outcome;
  }
  if (OpenToWrite(file.get())) {
    outcome.error = ErrorFrom(ETXTBSY);
    outcome.failure = HoldFailure::kInUse;
    return outcome;
  }
  ++HeldFiles()[{info.st_dev, info.st_ino}];
  outcome.file.handle_ = file.Release();
  outcome.file.identity_ = FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
  outcome.file.size_ = static_cast<std::uint64_t>(info.st_size);
  return outcome;
}

}  // namespace classlib::files
