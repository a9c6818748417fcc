#pragma once
// Resuming a damaged download on a new connection: the damaged (old) file takes the place of
// the selected download entry's new file, and the entry's resume offset is set to match it.

#include <string>

class TComboBox;

namespace repair {

// Asks the user first; before asking, refuses an entry name that is not one plain file name
// or that is a second (short) name of another file, an old file that cannot be read or is too
// large for the offset, and an old file that is the new file itself, changing nothing. After
// OK: deletes the new file (a bare name in the current directory), copies the old file to it,
// and writes the entry's "Offset" from the copy's size. A failed copy is reported and writes
// no offset. Does nothing without a selected entry or an old file; shows nothing on success.
// Registry errors pass to the caller.
void ResumeOnNewConnection(const std::string& oldFile, const TComboBox& entries);

}  // namespace repair
