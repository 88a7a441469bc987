// quintara-cli check DIR: checks every table of a data folder against its
// index and memo file, and the rules of the data (data/data_rules.h). Prints "NAME.DBF: OK" per sound table,
// one line per problem otherwise, and exits 1 when any problem was found.
#include "cli/cli.h"
#include "cli/commands.h"
#include "data/data_rules.h"
#include "foxpro/table.h"
#include "foxpro/table_files.h"

namespace quintara::cli {

int cmdCheck(const Args& args, std::ostream& out, std::ostream& /*err*/)
{
    if (args.size() != 1) throw UsageError{"expected one folder"};
    bool sound = true;
    for (const std::string& path : foxpro::listTables(args[0])) {
        const std::string name = foxpro::baseName(path);
        std::vector<std::string> problems;
        try {
            foxpro::Table table(path, foxpro::OpenMode::Shared);
            problems = table.check();
            for (std::string& p : quintara::dataRuleProblems(table)) problems.push_back(std::move(p));
        } catch (const foxpro::Error& e) {
            problems.push_back(e.plainMessage());
        }
        if (problems.empty()) out << name << ": OK\n";
        for (const std::string& p : problems) out << name << ": " << p << "\n";
        sound = sound && problems.empty();
    }
    return sound ? 0 : 1;
}

}  // namespace quintara::cli
