// The subcommands of quintara-cli, one function each. Each takes its own
// arguments (after the subcommand name) and returns the exit code.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quintara::cli {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;  // one line: "dump DIR"
    int (*run)(const Args& args, std::ostream& out, std::ostream& err);
};

// The table of every subcommand, in the order the help lists them.
const std::vector<Command>& commands();

}  // namespace quintara::cli
