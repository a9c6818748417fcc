#pragma once
// Filling the list of the client's download entries.

class TStrings;

namespace repair {

// Empties `entries`, then fills it with the names of the client's download entries in the
// registry's order. Without entries it stays empty. An item the list refuses stops the filling
// with EOutOfResources; what was added stays.
void RefreshDownloadList(TStrings& entries);

}  // namespace repair
