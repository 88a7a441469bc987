// Backups of a data directory: before every change that rewrites tables
// (import, pack, reindex, the reorganiser), the tables, their index and memo
// files and the calculation memo files are written to one zip archive under
// backup/ in the data directory, and the oldest archives beyond the number to
// keep are removed.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace quintara {

class DataModule;
class Settings;

// How many archives are kept when nobody chose a number.
constexpr int kDefaultBackupsKept = 20;
// The settings key where the options window keeps the number.
inline constexpr const char* kBackupsKeptKey = "backupskept";

class BackupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True for the files a backup holds and a restore puts back: tables (DBF),
// their structural indexes (CDX), memo files (FPT), calculation memo files
// (CLC), in any letter case, and the journals the table engine keeps beside a
// table while it changes it (an undo journal left by a writer that died is
// part of the state: the next opener finishes the rollback from it).
bool isDataSetFile(const std::string& fileName);

// The data-set files directly in `dataDir` (no sub-folders, no links), by name.
std::vector<std::filesystem::path> dataSetFiles(const std::filesystem::path& dataDir);

// Writes the archive and removes the oldest ones beyond `keep` (at least 1).
// The archive is named by the local date and time to the millisecond
// ("20261209-113838-123.zip", with "-2", "-3"… when that name is taken), and
// is complete when it appears under that name. Each table is read while no
// other program is in the middle of changing it. Throws BackupError naming
// the cause when the archive cannot be written; nothing is left behind then,
// and the caller must not start its change.
std::filesystem::path backupBeforeChange(const std::filesystem::path& dataDir,
                                         int keep = kDefaultBackupsKept);

// The number of archives to keep as the options window stored it (the
// default when none is stored or the text is not a number of at least 1).
int backupsKept(const Settings* settings);

// The backup the program's windows make before they change tables: of the
// folder the data module opens its tables from, keeping backupsKept().
std::filesystem::path backupBeforeChange(const DataModule& dm);

// The archives of backup/ in `dataDir`, oldest first.
std::vector<std::filesystem::path> listBackups(const std::filesystem::path& dataDir);

// Removes the oldest archives so that at most `keep` remain, never `spare`.
void pruneBackups(const std::filesystem::path& dataDir, int keep, const std::filesystem::path& spare = {});

}  // namespace quintara
