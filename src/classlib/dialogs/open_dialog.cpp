#include <cstddef>

#include "classlib/dialogs/dialogs.h"
#include "classlib/dialogs/open_dialog_seam.h"
#include "classlib/files/files.h"

TOpenDialog::TOpenDialog() = default;
TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() {
  classlib::OpenDialogRequest request;
  request.flags = classlib::kOfnEnableHook | classlib::kOfnExplorer;
  if (readOnly_) request.flags |= classlib::kOfnReadOnly;
  request.fileName = fileName_.substr(0, classlib::kOpenDialogBufferSize - 1);
  // A start folder longer than a path can be names no folder the dialog could open; Wine's
  // dialog even crashes on one of some thousand characters. The dialog then starts where the
  // platform chooses, as it does for a folder that does not exist.
  if (initialDir_.size() < static_cast<std::size_t>(classlib::kOpenDialogBufferSize)) {
    request.initialDir = initialDir_;
  }

  // The dialog may move the current directory while the user browses; only a confirmed choice
  // may leave it moved, and then it must be the chosen file's folder, whatever the platform did.
  const std::string before = classlib::files::WorkingDirectory();
  const auto choice = classlib::RunOpenDialog(request);
  if (choice && classlib::files::ChangeWorkingDirectory(classlib::files::FolderOf(choice->path))) {
    fileName_ = choice->path;
    readOnly_ = choice->readOnlyChecked;
    return true;
  }
  // Cancelled, failed, or a typed path whose folder does not exist: then the current directory
  // cannot be that folder, and the tool would work on files of another folder; the choice is
  // not taken.
  if (!before.empty()) (void)classlib::files::ChangeWorkingDirectory(before);
  return false;
}
