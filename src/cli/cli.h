// The command-line face of the core: quintara-cli's subcommands, callable
// from tests without a process. Exit codes: 0 done, 1 failure, 2 bad arguments.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quintara::cli {

// args excludes the program name: {"dump", "/data/dir"}.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Thrown by a command for bad arguments; run() prints the message and the
// command's usage and returns 2.
struct UsageError {
    std::string message;
};

}  // namespace quintara::cli
