#include "repair/download_list.h"

#include "classlib/registry/registry.h"
#include "classlib/controls/stdctrls.h"
#include "repair/client_registry.h"

namespace repair {

void RefreshDownloadList(TComboBox& list) {
  TRegistry registry;
  // Emptied before the key is opened, so no entry of an earlier filling can remain.
  list.Items().Clear();
  (void)registry.OpenKey(kDownloadListKey);
  registry.GetKeyNames(list.Items());
  if (list.Items().Count() > 0) list.SetItemIndex(0);
}

}  // namespace repair
