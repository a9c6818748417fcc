#include "repair/download_list.h"

#include "classlib/registry/registry.h"
#include "classlib/core/strings.h"
#include "repair/client_registry.h"

namespace repair {

void RefreshDownloadList(TStrings& entries) {
  TRegistry registry;
  // Emptied before the key is opened, so no entry of an earlier filling can remain.
  entries.Clear();
  (void)registry.OpenKey(kDownloadListKey);
  registry.GetKeyNames(entries);
}

}  // namespace repair
