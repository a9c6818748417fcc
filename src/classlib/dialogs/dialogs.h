#pragma once
// The file-open dialog as a component of a form.

#include <memory>
#include <string>

#include "classlib/core/classes.h"

class TOpenDialog : public TComponent {
public:
  // The file name field of the dialog: an edit.
  enum class EditStyle { fsEdit };

  TOpenDialog();
  ~TOpenDialog() override;

  const std::string& FileName() const { return fileName_; }
  void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(std::string folder) { initialDir_ = std::move(folder); }
  EditStyle FileEditStyle() const { return EditStyle::fsEdit; }

  // Runs the dialog. True when the user confirmed a file: FileName is then its full path and
  // the current directory is the folder that holds it. False on cancel or failure, and then
  // neither FileName nor the current directory has changed.
  bool Execute();

private:
  std::string fileName_;
  std::string initialDir_;
  // Whether the read-only box was ticked at the last confirmation; it comes up ticked then.
  bool readOnly_ = false;
};
