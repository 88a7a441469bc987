// quintara-cli pack DIR TABLE [--keep N]: removes a table's deleted records
// for good, compacts its memo file and rebuilds its index tags, after a backup
// of the directory.
#include "cli/backup_option.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "data/backup.h"
#include "foxpro/table.h"
#include "foxpro/table_files.h"

namespace quintara::cli {

int cmdPack(const Args& given, std::ostream& out, std::ostream& err)
{
    Args args = given;
    const int keep = takeKeepOption(args);
    if (args.size() != 2) throw UsageError{"expected a folder and a table"};
    const std::string path = foxpro::findTable(args[0], args[1]);
    try {
        backupFirst(args[0], keep, err);
    } catch (const BackupError& e) {
        err << "quintara-cli pack: " << e.what() << "; nothing was packed\n";
        return 1;
    }
    foxpro::Table table(path, foxpro::OpenMode::Exclusive);
    const std::uint32_t before = table.recordCount();
    table.pack();
    const std::uint32_t after = table.recordCount();
    out << foxpro::baseName(path) << ": packed, " << after << " records (" << (before - after)
        << " removed)\n";
    return 0;
}

}  // namespace quintara::cli
