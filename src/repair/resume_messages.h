#pragma once
// What the resume operation says to the user: the confirmation, and each reason it stops.
// Files are named between double quotes: the new file by the entry's name, the old (damaged)
// file by its full path.

#include <cstdint>
#include <string>

#include "repair/download_match.h"

namespace repair {

inline constexpr char kInfoCaption[] = "Info";
inline constexpr char kErrorCaption[] = "Error";
inline constexpr char kInvalidFileHandle[] = "Invalid File Handle";

// The question before anything changes; `fromStart` adds that the download starts over.
std::string ConfirmationText(const std::string& newFile, const std::string& damagedFile, bool fromStart);
// What the confirmation adds when the two files do not look like one download; empty when they do.
std::string MismatchWarningText(const DownloadMismatch& mismatch);

// Refusals before the confirmation: nothing has been changed.
std::string UnusableEntryText(const std::string& entryName, const std::string& why);
// The entry's name finds a file that its folder lists as `listedName` (a short name).
std::string AnotherNameText(const std::string& entryName, const std::string& listedName);
std::string UnreadableDamagedFileText(const std::string& damagedFile, const std::string& systemReason);
std::string DamagedFileTooLargeText(const std::string& damagedFile, std::uint64_t size);
std::string SameFileText(const std::string& damagedFile, const std::string& newFile);
// Another program has the old file open and may be writing it, so no copy of it can be whole.
std::string DamagedFileInUseText(const std::string& damagedFile);

// Refusals after the confirmation, when the old file changed while the question was open:
// nothing has been changed either.
std::string DamagedFileGoneText(const std::string& damagedFile);
// `replacement` says what now bears the old file's name: "another file", "a folder".
std::string DamagedFileReplacedText(const std::string& damagedFile, const std::string& replacement);

// Stops after the confirmation: the files may have changed, but the offset was not written.
std::string CopyFailedText(const std::string& damagedFile, const std::string& newFile,
                           const std::string& systemReason);
std::string NewFileTooLargeText(const std::string& newFile, std::uint64_t size);

}  // namespace repair
