// quintara-cli recalc DIR CASE dd/mm/yyyy [--all]: loads a case's items as the
// worksheet does, marks every item with --all, runs the calculation run
// (results into PITCALCU, memo files into the data directory) and prints one
// line per item: its number and total (as stored in VALORTOT, fees not
// included), or its error.
#include <ostream>

#include "cli/calc_options.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "engine/data_module_reference.h"
#include "worksheet/worksheet_items.h"
#include "worksheet/worksheet_run.h"

namespace quintara::cli {

int cmdRecalc(const Args& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> positional;
    bool all = false;
    for (const std::string& a : args) {
        if (a == "--all")
            all = true;
        else if (a.starts_with("--"))
            throw UsageError{"unknown option " + a};
        else
            positional.push_back(a);
    }
    if (positional.size() != 3) throw UsageError{"expected DIR CASE dd/mm/yyyy"};
    const std::string& caseNumber = positional[1];
    const std::string date = optionDate("the calculation date", positional[2]).toString();

    auto dm = DataModule::openFolder(positional[0]);
    WorksheetGrid grid;
    CaseLoadReport load = loadCaseItems(*dm, grid, caseNumber);
    for (const std::string& skipped : load.skipped)
        err << "quintara-cli recalc: not loaded: " << skipped << "\n";
    if (all) grid.markAllForRecalculation();
    DataModuleReference data(*dm);
    DataModuleItemStore store(*dm);
    RunReport report = PreparaCalculo(data, grid, &store, caseNumber, date, 0);
    for (const ItemReport& item : report.items) {
        const ItemCalculation& calc = item.calculation;
        out << itemNumberText(item.row) << " ";
        if (calc.outcome == ItemOutcome::Calculated)
            out << calc.results.itemTotal().toMachineText() << "\n";
        else if (calc.outcome == ItemOutcome::Interrupted)
            out << "interrompido\n";
        else
            out << calc.error << "\n";
    }
    if (!report.platformError.empty()) {
        err << "quintara-cli recalc: " << report.platformError << "\n";
        return 1;
    }
    return 0;
}

}  // namespace quintara::cli
