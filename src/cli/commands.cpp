#include "cli/commands.h"

namespace quintara::cli {

int cmdDump(const Args& args, std::ostream& out, std::ostream& err);
int cmdCheck(const Args& args, std::ostream& out, std::ostream& err);
int cmdReindex(const Args& args, std::ostream& out, std::ostream& err);
int cmdPack(const Args& args, std::ostream& out, std::ostream& err);

// Each command lives in its own file; this table only names them.
const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"dump", "dump DIR", cmdDump},
        {"check", "check DIR", cmdCheck},
        {"reindex", "reindex DIR [TABLE]", cmdReindex},
        {"pack", "pack DIR TABLE", cmdPack},
    };
    return table;
}

}  // namespace quintara::cli
