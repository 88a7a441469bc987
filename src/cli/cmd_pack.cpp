// quintara-cli pack DIR TABLE: removes a table's deleted records for good,
// compacts its memo file and rebuilds its index tags.
#include "cli/cli.h"
#include "cli/commands.h"
#include "foxpro/table.h"
#include "foxpro/table_files.h"

namespace quintara::cli {

int cmdPack(const Args& args, std::ostream& out, std::ostream& /*err*/)
{
    if (args.size() != 2) throw UsageError{"expected a folder and a table"};
    const std::string path = foxpro::findTable(args[0], args[1]);
    foxpro::Table table(path, foxpro::OpenMode::Exclusive);
    const std::uint32_t before = table.recordCount();
    table.pack();
    const std::uint32_t after = table.recordCount();
    out << foxpro::baseName(path) << ": packed, " << after << " records (" << (before - after)
        << " removed)\n";
    return 0;
}

}  // namespace quintara::cli
