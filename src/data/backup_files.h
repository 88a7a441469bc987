// Which files of a data directory belong to its data set: the helpers the
// backup and the restore share.
#pragma once

#include <filesystem>
#include <string>

namespace quintara {

// The name with ASCII letters upper-cased (file names are compared this way,
// as data folders copied from Windows mix "DBF" and "dbf").
std::string upperAscii(std::string text);

// Writes a backup archive of the data set and returns its path, removing
// nothing (backupBeforeChange adds the retention).
std::filesystem::path writeBackupArchive(const std::filesystem::path& dataDir);

}  // namespace quintara
