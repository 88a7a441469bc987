// The backup every changing command makes first, and its `--keep N` option
// (how many archives stay in the data directory's backup/ folder; 20 unless
// given: the command-line tool does not read the program's options).
#pragma once

#include <ostream>
#include <string>

#include "cli/commands.h"

namespace quintara::cli {

// Removes "--keep N" from args and returns N (the default when absent).
// Throws UsageError when N is missing or not a whole number of at least 1.
int takeKeepOption(Args& args);

// Backs up `dataDir` and says where on `err`. Throws BackupError when the
// backup fails; the caller then changes nothing.
void backupFirst(const std::string& dataDir, int keep, std::ostream& err);

}  // namespace quintara::cli
