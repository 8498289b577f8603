// Replacing a file whole on a POSIX system: the old file stays, byte for byte, unless the new
// one has been written and synced in full.
#pragma once

#include <string>

#include "ports/host_ops.h"

// Writes bytes to a new file in the folder of the target, syncs it and renames it over the
// target. A link at path is followed to the file it leads to, which is replaced while the link
// stays; a target that is not a regular file (MayReplace) is left alone and the save fails.
// On any failure no new file is left behind and the error says why.
SaveResult ReplaceWholeFile(const std::string& path, const std::string& bytes);
