#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "classlib/files.h"

namespace classlib::files {
namespace {

FileError ErrorFrom(int code) { return FileError{static_cast<unsigned long>(code), std::strerror(code)}; }

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
  if ((info.st_mode & S_IWUSR) == 0) return false;
  return ::unlink(path.c_str()) == 0;
}

std::optional<FileError> CopyFileOver(const std::string& from, const std::string& to) {
  // Like CopyFileA: a read-only target is not replaced.
  struct stat target {};
  if (::stat(to.c_str(), &target) == 0 && (target.st_mode & S_IWUSR) == 0) return ErrorFrom(EACCES);
  std::error_code error;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
  if (!error) return std::nullopt;
  // A copy that broke off halfway must not leave a partial file that looks like the copy.
  if (error.value() != EACCES && error.value() != ENOENT) ::unlink(to.c_str());
  return ErrorFrom(error.value());
}

std::optional<std::uint64_t> FindFileSize(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace classlib::files
