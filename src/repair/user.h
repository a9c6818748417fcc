#pragma once
// How the repair operations ask and tell the user, without knowing who shows the box: the
// window passes the application's message box.

#include <string>

#include "classlib/core/message_box.h"

namespace repair {

namespace mb = classlib::mb;

class User {
public:
  virtual ~User() = default;
  // Shows a modal message box with the Win32 `flags` and returns the identifier of the button
  // chosen (mb::kIdOk, mb::kIdCancel, ...), or 0 when no box could be shown.
  virtual int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

}  // namespace repair
