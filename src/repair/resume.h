#pragma once
// Resuming a damaged download on a new connection: the damaged file takes the place of the
// selected download entry's new file, and the entry's resume offset is set to match it.

#include <optional>
#include <string>

#include "repair/user.h"

namespace repair {

// `damagedFile` is the full path the user chose; `entryName` the selected download entry, whose
// name is the new file's, a bare name in the current directory.
//
// Asks the user first; before asking, refuses an entry name that is not one plain file name
// or that is a second (short) name of another file, a damaged file that cannot be read, that
// another program writes, or that is too large for the offset, and a damaged file that is the
// new file itself, changing nothing. The question warns when the two files do not look like
// one download. After OK the damaged file is held, so that nobody changes it until the copy is
// done, and the checks are made again: a file that changed while the user was asked is refused.
// Then deletes the new file, copies the damaged file to it, and writes the entry's "Offset"
// from the copy's size. A failed copy is reported and writes no offset. Does nothing without
// an entry or a damaged file; shows nothing on success. Registry errors pass to the caller.
void ResumeOnNewConnection(const std::string& damagedFile, const std::optional<std::string>& entryName, User& user);

}  // namespace repair
