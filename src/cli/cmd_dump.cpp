// quintara-cli dump DIR: the canonical text dump of a data folder.
#include "cli/cli.h"
#include "cli/commands.h"
#include "foxpro/dump.h"

namespace quintara::cli {

int cmdDump(const Args& args, std::ostream& out, std::ostream& /*err*/)
{
    if (args.size() != 1) throw UsageError{"expected one folder"};
    foxpro::dumpFolder(args[0], out);
    return 0;
}

}  // namespace quintara::cli
