#include "classlib/files/files.h"

namespace classlib::files {

std::string FolderOf(const std::string& path) {
  const auto last = path.find_last_of("\\/");
  if (last == std::string::npos) return {};
  // Keep the separator of a root: "C:\" and "/".
  if (last == 0 || (last == 2 && path[1] == ':')) return path.substr(0, last + 1);
  return path.substr(0, last);
}

HeldFile::~HeldFile() { Release(); }

HeldFile::HeldFile(HeldFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)), identity_(other.identity_), size_(other.size_) {}

HeldFile& HeldFile::operator=(HeldFile&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, kNoHandle);
    identity_ = other.identity_;
    size_ = other.size_;
  }
  return *this;
}

}  // namespace classlib::files
