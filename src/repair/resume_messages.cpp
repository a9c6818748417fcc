#include "repair/resume_messages.h"

#include "repair/resume_offset.h"

namespace repair {
namespace {

constexpr char kNothingChanged[] = " Nothing was changed.";
constexpr char kOffsetNotWritten[] = " The offset was not written.";

std::string Quoted(const std::string& name) { return '"' + name + '"'; }

// The system's reason as a sentence of its own: Windows ends its texts with a period, the
// host's do not.
std::string AsSentence(std::string reason) {
  if (reason.empty()) return "The system gave no reason.";
  if (reason.back() != '.') reason += '.';
  return reason;
}

std::string TooLarge(const std::string& what, std::uint64_t size) {
  return what + " is " + std::to_string(size) + " bytes long, so its resume offset would exceed " +
         std::to_string(kLargestOffset) + ", the largest the download list can hold (files of up to " +
         std::to_string(kLargestResumableSize) + " bytes can be resumed).";
}

}  // namespace

std::string ConfirmationText(const std::string& newFile, const std::string& damagedFile, bool fromStart) {
  std::string text = "The new file \"" + newFile + "\" will now be deleted and overwritten by the old \"" +
                     damagedFile + "\". After that, the download list file size information will be adjusted.";
  if (fromStart) {
    text += " The old file is shorter than " + std::to_string(kResumeOverlap) +
            " bytes, so the download will resume from its start.";
  }
  return text;
}

std::string MismatchWarningText(const DownloadMismatch& mismatch) {
  if (!mismatch.Any()) return {};
  std::string text = " Warning:";
  if (mismatch.firstDifference) {
    text += " The two files seem to be of different downloads: they differ at byte " +
            std::to_string(*mismatch.firstDifference) +
            " (counted from 0), so the download would go on behind another file's data and end corrupt. Check "
            "that the right entry is selected.";
  }
  if (mismatch.newFileLonger) {
    text += " The new file is already longer than the old file (" + std::to_string(mismatch.newSize) +
            " bytes against " + std::to_string(mismatch.oldSize) +
            " bytes), so what the new connection fetched beyond the old file would be thrown away.";
  }
  return text;
}

std::string UnusableEntryText(const std::string& entryName, const std::string& why) {
  return "The download entry " + Quoted(entryName) + " cannot be used as a file name: " + why + "." +
         kNothingChanged;
}

std::string AnotherNameText(const std::string& entryName, const std::string& listedName) {
  return UnusableEntryText(entryName, "it is another name of the file " + Quoted(listedName));
}

std::string UnreadableDamagedFileText(const std::string& damagedFile, const std::string& systemReason) {
  return "The old file " + Quoted(damagedFile) + " cannot be read: " + AsSentence(systemReason) + kNothingChanged;
}

std::string DamagedFileTooLargeText(const std::string& damagedFile, std::uint64_t size) {
  return TooLarge("The old file " + Quoted(damagedFile), size) + kNothingChanged;
}

std::string SameFileText(const std::string& damagedFile, const std::string& newFile) {
  return "The old file " + Quoted(damagedFile) + " is the new file " + Quoted(newFile) +
         " itself, so replacing the new file would destroy the data to be resumed." + kNothingChanged;
}

std::string DamagedFileInUseText(const std::string& damagedFile) {
  return "The old file " + Quoted(damagedFile) +
         " is open in another program, which may be writing it, so it cannot be copied whole. Close that "
         "program or wait until it is done." +
         kNothingChanged;
}

std::string DamagedFileGoneText(const std::string& damagedFile) {
  return "The old file " + Quoted(damagedFile) + " was moved, renamed or deleted while you were asked." +
         kNothingChanged;
}

std::string DamagedFileReplacedText(const std::string& damagedFile, const std::string& replacement) {
  return "The old file " + Quoted(damagedFile) + " was replaced by " + replacement + " while you were asked." +
         kNothingChanged;
}

std::string CopyFailedText(const std::string& damagedFile, const std::string& newFile,
                           const std::string& systemReason) {
  return "The old file " + Quoted(damagedFile) + " could not be copied to the new file " + Quoted(newFile) +
         ": " + AsSentence(systemReason) + kOffsetNotWritten;
}

std::string NewFileTooLargeText(const std::string& newFile, std::uint64_t size) {
  return TooLarge("The new file " + Quoted(newFile), size) + kOffsetNotWritten;
}

}  // namespace repair
