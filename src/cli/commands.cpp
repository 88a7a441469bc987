#include "cli/commands.h"

namespace quintara::cli {

// Each command lives in its own file; this table only names them.
const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
    };
    return table;
}

}  // namespace quintara::cli
