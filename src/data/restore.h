// Restoring a data directory from one of its backup archives.
#pragma once

#include <cstddef>
#include <filesystem>

#include "data/backup.h"

namespace quintara {

struct RestoreOutcome {
    std::size_t restored = 0;          // files written from the archive
    std::size_t removed = 0;           // data-set files the archive did not hold
    std::filesystem::path safetyCopy;  // the backup of the directory as it was before the restore
};

// Puts the data set of `dataDir` back as the archive holds it: every file of
// the archive replaces the one present, and every table, index, memo,
// calculation memo or table journal file that the archive does not hold is
// removed (it was made after the backup). Other files (pictures, help pages,
// the year-length marker, backup/) stay as they are.
//
// Before anything changes, the whole archive is read and checked, and the
// directory as it is now is backed up (kept by the same rule). Throws
// BackupError, changing nothing, when another program has a table of the
// directory open, or when the archive cannot be read, holds no table, or
// holds an entry that is not a plain data-set file directly in the folder
// (an absolute path, "..", a sub-folder, a link).
RestoreOutcome restoreBackup(const std::filesystem::path& dataDir, const std::filesystem::path& archive,
                             int keep = kDefaultBackupsKept);

}  // namespace quintara
