// quintara-cli: scriptable tool over the table engine and the correction engine.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return quintara::cli::run(args, std::cout, std::cerr);
}
