#include "repair/resume.h"

#include <optional>
#include <variant>

#include "classlib/files/files.h"
#include "classlib/registry/registry.h"
#include "repair/client_registry.h"
#include "repair/download_match.h"
#include "repair/entry_name.h"
#include "repair/resume_messages.h"
#include "repair/resume_offset.h"

namespace repair {
namespace {

namespace files = classlib::files;
void ShowError(User& user, const std::string& text) {
  (void)user.ShowMessage(text, kErrorCaption, mb::kOk | mb::kIconStop);
}

// A reason to stop: nothing has been changed.
struct Refusal {
  std::string text;
};

// What the checks before asking found: the old file as the user chose it, and the offset it
// gives as it is now.
struct Checked {
  files::FileIdentity damagedFile;
  ResumeOffset offset;
  DownloadMismatch mismatch;
};

// Compares the beginnings of the two files as they are now. Only the first bytes are read.
DownloadMismatch CompareWithNewFile(const std::string& damagedFile, std::uint64_t oldSize, const std::string& newFile) {
  const auto newSize = files::FindFileSize(newFile);
  if (!newSize || *newSize == 0) return {};
  const auto newStart = files::ReadStart(newFile, kComparedBytes);
  const auto oldStart = files::ReadStart(damagedFile, kComparedBytes);
  if (!newStart || !oldStart) return {};
  return CompareDownloads(*oldStart, oldSize, std::optional<std::string_view>(*newStart), *newSize);
}

// The refusal for an old file that cannot be held for the copy; `whileAsked` when it could be
// held before the user was asked.
Refusal CannotHold(const std::string& damagedFile, const files::HoldOutcome& hold, bool whileAsked) {
  switch (hold.failure) {
    case files::HoldFailure::kInUse: return Refusal{DamagedFileInUseText(damagedFile)};
    case files::HoldFailure::kMissing:
      if (whileAsked) return Refusal{DamagedFileGoneText(damagedFile)};
      break;
    case files::HoldFailure::kNotAFile:
      if (whileAsked) return Refusal{DamagedFileReplacedText(damagedFile, "a folder")};
      break;
    default: break;
  }
  return Refusal{UnreadableDamagedFileText(damagedFile, hold.error.reason)};
}

// The entry's name must find one plain file of its own, if any, and never the old file: the
// delete would otherwise hit another download's file or the data to be resumed.
std::optional<Refusal> CheckNewFile(const std::string& newFile, const files::FileIdentity& damagedFile,
                                    const std::string& oldName) {
  // A short name of another download's file would have that file deleted.
  if (const auto listed = files::OtherNameOf(newFile)) return Refusal{AnotherNameText(newFile, *listed)};
  // Compared as files, not as path texts: case, 8.3 names and links give other texts for the
  // same file.
  if (files::IdentityOf(newFile) == damagedFile) return Refusal{SameFileText(oldName, newFile)};
  return std::nullopt;
}

// The checks before asking, which spare the user a question that cannot succeed.
std::variant<Refusal, Checked> CheckBeforeAsking(const std::string& damagedFile, const std::string& newFile) {
  if (const auto why = WhyNotAPlainFileName(newFile)) return Refusal{UnusableEntryText(newFile, *why)};
  // Held for a moment, just as the copy will hold it: a file that cannot be held now would
  // cost the new file for nothing after the delete.
  const auto hold = files::HoldForCopy(damagedFile);
  if (!hold.file) return CannotHold(damagedFile, hold, false);
  const auto offset = ResumeOffsetFor(hold.file.Size());
  if (!offset) return Refusal{DamagedFileTooLargeText(damagedFile, hold.file.Size())};
  if (auto refusal = CheckNewFile(newFile, hold.file.Identity(), damagedFile)) return *refusal;
  return Checked{hold.file.Identity(), *offset, CompareWithNewFile(damagedFile, hold.file.Size(), newFile)};
}

// The changes, once the user agreed. The question may have stood open for long, and the client
// renames, finishes and removes files meanwhile: everything that makes the delete safe is
// checked again with the old file held, so that it cannot change from here to the end of the
// copy. A check that no longer holds refuses before anything is changed.
void ReplaceAndSetOffset(const std::string& damagedFile, const std::string& newFile,
                         const files::FileIdentity& chosen, User& user) {
  {
    const auto hold = files::HoldForCopy(damagedFile);
    if (!hold.file) {
      ShowError(user, CannotHold(damagedFile, hold, true).text);
      return;
    }
    if (hold.file.Identity() != chosen) {
      ShowError(user, DamagedFileReplacedText(damagedFile, "another file"));
      return;
    }
    if (!ResumeOffsetFor(hold.file.Size())) {
      ShowError(user, DamagedFileTooLargeText(damagedFile, hold.file.Size()));
      return;
    }
    if (const auto refusal = CheckNewFile(newFile, hold.file.Identity(), damagedFile)) {
      ShowError(user, refusal->text);
      return;
    }

    // Ignored: a new file that does not exist yet has nothing to delete, and where the delete
    // failed, the copy still replaces the file or fails and says why. The held old file cannot
    // be deleted under any name.
    (void)files::RemoveFile(newFile);
    if (const auto error = files::CopyFileOver(damagedFile, newFile)) {
      ShowError(user, CopyFailedText(damagedFile, newFile, error->reason));
      return;
    }
  }

  TRegistry registry;
  // A key that cannot be opened is found out by the write, which then raises the registry's
  // error; the key is never created.
  (void)registry.OpenKey(DownloadEntryKey(newFile));
  const auto size = files::FindFileSize(newFile);
  if (!size) {
    (void)user.ShowMessage(kInvalidFileHandle, kErrorCaption, mb::kOk);
    return;
  }
  // Checked again: the file may have changed since the copy.
  const auto offset = ResumeOffsetFor(*size);
  if (!offset) {
    ShowError(user, NewFileTooLargeText(newFile, *size));
    return;
  }
  registry.WriteString(kOffsetValue, OffsetText(offset->value));
}

}  // namespace

void ResumeOnNewConnection(const std::string& damagedFile, const std::optional<std::string>& entryName, User& user) {
  if (!entryName || damagedFile.empty()) return;
  const std::string& newFile = *entryName;

  const auto checked = CheckBeforeAsking(damagedFile, newFile);
  if (const auto* refusal = std::get_if<Refusal>(&checked)) {
    ShowError(user, refusal->text);
    return;
  }
  const auto& found = std::get<Checked>(checked);
  // A warning asks the user to think again: Cancel is then the button Enter presses.
  const bool warn = found.mismatch.Any();
  const int answer = user.ShowMessage(
      ConfirmationText(newFile, damagedFile, found.offset.fromStart) + MismatchWarningText(found.mismatch), kInfoCaption,
      mb::kOkCancel | (warn ? mb::kIconWarning | mb::kDefaultButton2 : mb::kIconInformation));
  if (answer != mb::kIdOk) return;
  ReplaceAndSetOffset(damagedFile, newFile, found.damagedFile, user);
}

}  // namespace repair
