#pragma once
// Filling the list of the client's download entries.

class TComboBox;

namespace repair {

// Empties the list, then fills it with the names of the client's download entries in the
// registry's order and selects the first one. Without entries the list stays empty with
// nothing selected. An item the list refuses stops the filling with EOutOfResources; what was
// added stays, and nothing is selected.
void RefreshDownloadList(TComboBox& list);

}  // namespace repair
