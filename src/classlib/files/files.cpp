#include "classlib/files/files.h"

namespace classlib::files {

std::string FolderOf(const std::string& path) {
  const auto last = path.find_last_of("\\/");
  if (last == std::string::npos) return {};
  // Keep the separator of a root: "C:\" and "/".
  if (last == 0 || (last == 2 && path[1] == ':')) return path.substr(0, last + 1);
  return path.substr(0, last);
}

}  // namespace classlib::files
