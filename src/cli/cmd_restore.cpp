// quintara-cli restore DIR ARCHIVE [--keep N]: puts a data directory back as
// one of its backup archives holds it.
#include "cli/backup_option.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "data/restore.h"

namespace quintara::cli {

int cmdRestore(const Args& given, std::ostream& out, std::ostream& err)
{
    Args args = given;
    const int keep = takeKeepOption(args);
    if (args.size() != 2) throw UsageError{"expected DIR ARCHIVE"};
    try {
        const RestoreOutcome done = restoreBackup(args[0], args[1], keep);
        out << "restored " << done.restored << " files, removed " << done.removed
            << "; the directory as it was is in " << done.safetyCopy.string() << "\n";
    } catch (const BackupError& e) {
        err << "quintara-cli restore: " << e.what() << "; nothing was changed\n";
        return 1;
    }
    return 0;
}

}  // namespace quintara::cli
