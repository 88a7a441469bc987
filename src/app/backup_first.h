// The backup a window makes before it changes tables (an import, a pack, a
// reorganisation): when it cannot be made the person is told why and the
// change does not run.
#pragma once

#include <QString>

namespace quintara {

class DataModule;

// Backs up the data module's tables folder, keeping the number of archives
// set in the options window. On failure shows an error titled `title` with
// the reason followed by `nothingDone` and returns false.
bool backupFirst(const DataModule& dm, const QString& title, const QString& nothingDone);

}  // namespace quintara
