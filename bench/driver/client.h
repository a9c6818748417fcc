#pragma once
// The client's data in the scratch prefix's registry, as the benchmarks seed and read it.

#include <optional>
#include <string>

namespace bench::client {

void SetDownloadFolder(const std::string& folder);

void AddEntry(const std::string& name);
void RemoveEntry(const std::string& name);
// Removes every entry, last first: Wine keeps subkeys in a sorted array, so removing from the
// front would move the rest each time.
void RemoveAllEntries();

// The name of the index-th entry of a large download list. The names grow in the registry's
// sorted order, so each new key is appended.
std::string NumberedEntry(int index);
// Adds NumberedEntry(from) .. NumberedEntry(to - 1).
void AddNumberedEntries(int from, int to);

// The entry's "Offset" text; empty when it has none.
std::optional<std::string> Offset(const std::string& entry);
void RemoveOffset(const std::string& entry);

}  // namespace bench::client
