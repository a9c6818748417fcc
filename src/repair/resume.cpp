#include "repair/resume.h"

#include <variant>

#include "classlib/application/application.h"
#include "classlib/files/files.h"
#include "classlib/registry/registry.h"
#include "classlib/controls/stdctrls.h"
#include "repair/client_registry.h"
#include "repair/entry_name.h"
#include "repair/resume_messages.h"
#include "repair/resume_offset.h"

namespace repair {
namespace {

namespace files = classlib::files;
namespace mb = classlib::mb;

void ShowError(const std::string& text) {
  (void)Application->ShowMessageBox(text, kErrorCaption, mb::kOk | mb::kIconStop);
}

// A reason to stop before the user is even asked.
struct Refusal {
  std::string text;
};

// The checks before asking: a refusal, or the offset the old file would give as it is now.
std::variant<Refusal, ResumeOffset> CheckBeforeAsking(const std::string& oldFile,
                                                      const std::string& newFile) {
  if (const auto why = WhyNotAPlainFileName(newFile)) return Refusal{UnusableEntryText(newFile, *why)};
  // A short name of another download's file would have that file deleted.
  if (const auto listed = files::OtherNameOf(newFile)) return Refusal{AnotherNameText(newFile, *listed)};

  // The delete comes before the copy, so an old file the copy could not read would cost the
  // new file for nothing.
  const auto old = files::SizeOfReadableFile(oldFile);
  if (!old.size) return Refusal{UnreadableOldFileText(oldFile, old.error.reason)};
  const auto offset = ResumeOffsetFor(*old.size);
  if (!offset) return Refusal{OldFileTooLargeText(oldFile, *old.size)};

  // Compared as files, not as path texts: case, 8.3 names and links give other texts for the
  // same file, whose delete would destroy the data to be resumed.
  const auto newIdentity = files::IdentityOf(newFile);
  if (newIdentity && files::IdentityOf(oldFile) == newIdentity)
    return Refusal{SameFileText(oldFile, newFile)};
  return *offset;
}

// The changes, once the user agreed.
void ReplaceAndSetOffset(const std::string& oldFile, const std::string& newFile) {
  // Ignored: a new file that does not exist yet has nothing to delete, and where the delete
  // failed, the copy still replaces the file or fails and says why.
  (void)files::RemoveFile(newFile);
  if (const auto error = files::CopyFileOver(oldFile, newFile)) {
    ShowError(CopyFailedText(oldFile, newFile, error->reason));
    return;
  }

  TRegistry registry;
  // A key that cannot be opened is found out by the write, which then raises the registry's
  // error; the key is never created.
  (void)registry.OpenKey(DownloadEntryKey(newFile));
  const auto size = files::FindFileSize(newFile);
  if (!size) {
    (void)Application->ShowMessageBox(kInvalidFileHandle, kErrorCaption, mb::kOk);
    return;
  }
  // Checked again: the file may have changed since the user was asked.
  const auto offset = ResumeOffsetFor(*size);
  if (!offset) {
    ShowError(NewFileTooLargeText(newFile, *size));
    return;
  }
  registry.WriteString(kOffsetValue, OffsetText(offset->value));
}

}  // namespace

void ResumeOnNewConnection(const std::string& oldFile, const TComboBox& entries) {
  const int index = entries.ItemIndex();
  if (index < 0 || oldFile.empty()) return;
  const std::string newFile = entries.Items().Strings(index);

  const auto checked = CheckBeforeAsking(oldFile, newFile);
  if (const auto* refusal = std::get_if<Refusal>(&checked)) {
    ShowError(refusal->text);
    return;
  }
  const bool fromStart = std::get<ResumeOffset>(checked).fromStart;
  const int answer = Application->ShowMessageBox(ConfirmationText(newFile, oldFile, fromStart), kInfoCaption,
                                                 mb::kOkCancel | mb::kIconInformation);
  if (answer != mb::kIdOk) return;
  ReplaceAndSetOffset(oldFile, newFile);
}

}  // namespace repair
