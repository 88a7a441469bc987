#include "cli/cli.h"

#include <exception>

#include "cli/commands.h"

namespace quintara::cli {

namespace {

void printUsage(std::ostream& err)
{
    err << "usage: quintara-cli COMMAND [ARGS...]\n";
    for (const Command& c : commands()) err << "  quintara-cli " << c.usage << "\n";
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(args.empty() ? err : out);
        return args.empty() ? 2 : 0;
    }
    for (const Command& c : commands()) {
        if (args[0] != c.name) continue;
        Args rest(args.begin() + 1, args.end());
        try {
            return c.run(rest, out, err);
        } catch (const UsageError& e) {
            err << "quintara-cli " << c.name << ": " << e.message << "\n"
                << "usage: quintara-cli " << c.usage << "\n";
            return 2;
        } catch (const std::exception& e) {
            err << "quintara-cli " << c.name << ": " << e.what() << "\n";
            return 1;
        }
    }
    err << "quintara-cli: unknown command '" << args[0] << "'\n";
    printUsage(err);
    return 2;
}

}  // namespace quintara::cli
