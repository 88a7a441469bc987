// quintara-cli reindex DIR [TABLE] [--tags-from DIR2] [--keep N]: after a
// backup of the directory, rebuilds the index tags of one table or of every
// table of a data folder, each opened exclusively. An index file that is
// missing, empty or unreadable is written anew from the tags the data module
// gives the table, or from the same table's tags in DIR2.
#include "cli/backup_option.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "data/backup.h"
#include "data/table_repair.h"
#include "foxpro/table.h"
#include "foxpro/table_files.h"

namespace quintara::cli {

int cmdReindex(const Args& given, std::ostream& out, std::ostream& err)
{
    Args args = given;
    const int keep = takeKeepOption(args);
    Args positional;
    std::string tagsFrom;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--tags-from") {
            if (i + 1 >= args.size()) throw UsageError{"--tags-from needs a folder"};
            tagsFrom = args[++i];
        } else if (args[i].starts_with("--")) {
            throw UsageError{"unknown option " + args[i]};
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.empty() || positional.size() > 2)
        throw UsageError{"expected a folder and optionally a table"};
    const std::vector<std::string> paths =
        positional.size() == 2 ? std::vector<std::string>{foxpro::findTable(positional[0], positional[1])}
                               : foxpro::listTables(positional[0]);
    try {
        backupFirst(positional[0], keep, err);
    } catch (const BackupError& e) {
        err << "quintara-cli reindex: " << e.what() << "; nothing was reindexed\n";
        return 1;
    }
    int failures = 0;
    for (const std::string& path : paths) {
        const std::string name = foxpro::baseName(path);
        try {
            const ReindexOutcome done = reindexTable(path, tagDefinitions(path, tagsFrom));
            if (done.tags == 0)
                out << name << ": no index\n";
            else if (done.fault.empty())
                out << name << ": reindexed (" << done.tags << " tags)\n";
            else
                out << name << ": " << done.fault << "; rebuilt from the tag definitions (" << done.tags
                    << " tags)\n";
        } catch (const foxpro::Error& e) {
            err << e.what() << "\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace quintara::cli
