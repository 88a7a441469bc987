// quintara-cli reindex DIR [TABLE]: rebuilds the index tags of one table or
// of every table of a data folder, each opened exclusively.
#include "cli/cli.h"
#include "cli/commands.h"
#include "foxpro/table.h"
#include "foxpro/table_files.h"

namespace quintara::cli {

int cmdReindex(const Args& args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || args.size() > 2) throw UsageError{"expected a folder and optionally a table"};
    const std::vector<std::string> paths = args.size() == 2
                                               ? std::vector<std::string>{foxpro::findTable(args[0], args[1])}
                                               : foxpro::listTables(args[0]);
    int failures = 0;
    for (const std::string& path : paths) {
        const std::string name = foxpro::baseName(path);
        try {
            foxpro::Table table(path, foxpro::OpenMode::Exclusive);
            if (table.tags().empty()) {
                out << name << ": no index\n";
                continue;
            }
            table.reindex();
            out << name << ": reindexed (" << table.tags().size() << " tags)\n";
        } catch (const foxpro::Error& e) {
            err << e.what() << "\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace quintara::cli
