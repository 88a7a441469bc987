#include "cli/commands.h"

namespace quintara::cli {

int cmdDump(const Args& args, std::ostream& out, std::ostream& err);
int cmdCheck(const Args& args, std::ostream& out, std::ostream& err);
int cmdReindex(const Args& args, std::ostream& out, std::ostream& err);
int cmdPack(const Args& args, std::ostream& out, std::ostream& err);
int cmdCalc(const Args& args, std::ostream& out, std::ostream& err);
int cmdTable(const Args& args, std::ostream& out, std::ostream& err);
int cmdRecalc(const Args& args, std::ostream& out, std::ostream& err);

// Each command lives in its own file; this table only names them.
const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"dump", "dump DIR", cmdDump},
        {"check", "check DIR", cmdCheck},
        {"reindex", "reindex DIR [TABLE]", cmdReindex},
        {"pack", "pack DIR TABLE", cmdPack},
        {"calc",
         "calc DIR --form CODE --origin dd/mm/yyyy --date dd/mm/yyyy --amount 1234,56 [--full-month] [--converter] "
         "[--ord-rate R] [--ord-formula simples|composto] [--ord-start dd/mm/yyyy] [--comp-rate R] "
         "[--comp-formula simples|composto] [--comp-start dd/mm/yyyy] [--fine R] [--fine-on-interest] [--fees R] "
         "[--mode worksheet|quick] [--no-correction]",
         cmdCalc},
        {"table", "table DIR --form CODE --origin dd/mm/yyyy --date dd/mm/yyyy [--converter]", cmdTable},
        {"recalc", "recalc DIR CASE dd/mm/yyyy [--all]", cmdRecalc},
    };
    return table;
}

}  // namespace quintara::cli
