#pragma once
// Where the client keeps its download entries: one subkey per entry under the current user.

namespace bench {

inline constexpr char kDownloadListKey[] = "Software\\Scour\\Scour Exchange\\Download List";
inline constexpr char kOptionsKey[] = "Software\\Scour\\Scour Exchange\\Options";

}  // namespace bench
