#pragma once
// Where the client keeps what the tool reads and changes: keys under HKEY_CURRENT_USER.

#include <string>

namespace repair {

inline constexpr char kOptionsKey[] = "Software\\Scour\\Scour Exchange\\Options";
inline constexpr char kDownloadFolderValue[] = "DownloadFolder";
inline constexpr char kDownloadListKey[] = "Software\\Scour\\Scour Exchange\\Download List";
inline constexpr char kOffsetValue[] = "Offset";

// The key of one download entry: the list's key, a backslash, then the entry's name.
std::string DownloadEntryKey(const std::string& entryName);

// The folder in which the client keeps its downloads, as stored; empty when the client is not
// installed, the key cannot be opened with full access, or the value is missing or empty. A
// value that is not text raises the registry's invalid-type error.
std::string ReadDownloadFolder();

}  // namespace repair
