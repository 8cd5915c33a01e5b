#pragma once
// Writing one entry's data into a folder: under its bare file name only, through a temporary
// file that is renamed into place once complete, so that a refused entry, a full disk or a
// damaged archive never leaves a partial file.

#include <string>

#include "archive/archive_entry_info.h"

namespace archives {

class ReaderPass;

// Checks that `entry` may be written at all (a plain file with a usable name, not
// encrypted); raises ArchiverError (Extraction) with a message for the user when not.
void checkExtractable(const ArchiveEntry& entry);

// Writes the data of the current entry of `pass` (whose header is `entry`) to
// `destFolder`/<bare name> and returns that path. `destFolder` must be an existing folder,
// not a symbolic link. Refuses a member larger than the folder's free space, and stops at
// once when the data outgrows the size its header states. Raises ArchiverError (Extraction
// or Damaged); the temporary file is removed then and an older file of the name stays.
std::string writeEntry(ReaderPass& pass, const ArchiveEntry& entry, const std::string& destFolder);

} // namespace archives
