#include "repair/client_registry.h"

#include "classlib/registry/registry.h"

namespace repair {

std::string DownloadEntryKey(const std::string& entryName) {
  return std::string(kDownloadListKey) + "\\" + entryName;
}

std::string ReadDownloadFolder() {
  TRegistry registry;
  // A key that cannot be opened leaves no key open, and the read then gives empty text.
  (void)registry.OpenKey(kOptionsKey);
  return registry.ReadString(kDownloadFolderValue);
}

}  // namespace repair
