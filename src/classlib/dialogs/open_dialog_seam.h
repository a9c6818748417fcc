#pragma once
// The platform's file-open dialog as TOpenDialog runs it: the request it is given, and what a
// confirmed choice gives back.

#include <optional>
#include <string>

namespace classlib {

inline constexpr unsigned kOfnReadOnly = 0x1;
inline constexpr unsigned kOfnEnableHook = 0x20;
inline constexpr unsigned kOfnExplorer = 0x80000;
inline constexpr int kOpenDialogBufferSize = 260;  // a path of 259 characters and its zero

struct OpenDialogRequest {
  unsigned flags = 0;
  std::string fileName;    // what the file name buffer holds when the dialog opens
  std::string initialDir;  // empty: the platform's choice
};

struct OpenDialogChoice {
  std::string path;  // the buffer's text up to its first zero
  bool readOnlyChecked = false;
};

// Shows the dialog modally; empty when the user cancelled or the dialog failed.
std::optional<OpenDialogChoice> RunOpenDialog(const OpenDialogRequest& request);

}  // namespace classlib
