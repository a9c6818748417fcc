#pragma once
// The platform's shell: opening a document or web address with the program the user chose for
// it, without waiting for that program.

#include <string>

class TForm;

namespace classlib {

inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

// ShellExecuteA(owner's window, verb, file, no parameters, no folder, show). The outcome is the
// shell's business: whatever it shows, it shows itself.
void ShellOpen(const TForm& owner, const std::string& verb, const std::string& file, int show);

}  // namespace classlib
