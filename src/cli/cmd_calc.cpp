// quintara-cli calc DIR --form CODE --origin D --date D --amount A [options]:
// one calculation. --mode worksheet (the default) reads its inputs as the
// worksheet run reads a grid row and prints the lines of the calculation memo
// file; --mode quick reads them as the quick calculation does and prints its
// calculation lines. Both end with "RESULTS P=... V=... Jo=... Jc=... F=... H=...".
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "cli/calc_options.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "data/format_text.h"
#include "data/lookups.h"
#include "engine/data_module_reference.h"
#include "engine/quick_calculation.h"
#include "engine/worksheet_run.h"

namespace quintara::cli {

namespace {

struct CalcOptions {
    std::string dir;
    std::map<std::string, std::string> values;  // options with a value
    std::map<std::string, bool> flags;          // options without one
    bool has(const std::string& o) const { return values.count(o) > 0; }
    bool flag(const std::string& o) const { return flags.count(o) > 0; }
    const std::string& value(const std::string& o) const { return values.at(o); }
};

const char* const kValueOptions[] = {
    "--form",      "--origin",       "--date",       "--amount", "--ord-rate", "--ord-formula", "--ord-start",
    "--comp-rate", "--comp-formula", "--comp-start", "--fine",   "--fees",     "--mode"};
const char* const kFlagOptions[] = {"--full-month", "--converter", "--fine-on-interest", "--no-correction"};

bool listed(const std::string& a, const auto& list)
{
    for (const char* o : list)
        if (a == o) return true;
    return false;
}

CalcOptions parseCalcOptions(const Args& args)
{
    CalcOptions o;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (listed(a, kFlagOptions)) {
            o.flags[a] = true;
        } else if (listed(a, kValueOptions)) {
            if (i + 1 == args.size()) throw UsageError{a + " needs a value"};
            o.values[a] = args[++i];
        } else if (a.starts_with("--")) {
            throw UsageError{"unknown option " + a};
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 1) throw UsageError{"expected one data directory DIR"};
    o.dir = positional[0];
    for (const char* required : {"--form", "--origin", "--date", "--amount"})
        if (!o.has(required)) throw UsageError{std::string(required) + " is required"};
    for (const char* formula : {"--ord-formula", "--comp-formula"})
        if (o.has(formula) && o.value(formula) != "simples" && o.value(formula) != "composto")
            throw UsageError{std::string(formula) + ": '" + o.value(formula) +
                             "' is neither simples nor composto"};
    if (o.has("--mode") && o.value("--mode") != "worksheet" && o.value("--mode") != "quick")
        throw UsageError{"--mode: '" + o.value("--mode") + "' is neither worksheet nor quick"};
    return o;
}

std::string resultsLine(const ItemResults& r)
{
    return "RESULTS P=" + r.principal.toMachineText() + " V=" + r.corrected.toMachineText() +
           " Jo=" + r.ordinary.toMachineText() + " Jc=" + r.compensatory.toMachineText() +
           " F=" + r.fine.toMachineText() + " H=" + r.fees.toMachineText();
}

int formulaCode(const CalcOptions& o, const char* option)
{
    return o.has(option) && o.value(option) == "composto" ? 1 : 0;
}

// The grid row an item entry would have written for these options.
WorksheetGrid worksheetRow(const CalcOptions& o)
{
    WorksheetGrid grid;
    auto set = [&grid](int column, const std::string& text) { grid.setCell(1, column, text); };
    auto rate = [&o](const char* option) {
        if (!o.has(option)) return std::string("0");
        optionAmount(option, o.value(option));
        return o.value(option);
    };
    const std::string origin = optionDate("--origin", o.value("--origin")).toString();
    optionAmount("--amount", o.value("--amount"));
    set(colMark, "$");
    set(colNumber, "001");
    set(colOriginDate, origin);
    set(colOriginalAmount, o.value("--amount"));
    set(colMonthMode, o.flag("--full-month") ? "CHEIO" : "EXATO");
    set(colOrdinaryRate, rate("--ord-rate"));
    set(colCompensatoryRate, rate("--comp-rate"));
    set(colFineRate, rate("--fine"));
    set(colFeeRate, rate("--fees"));
    set(colFineOnInterest, o.flag("--fine-on-interest") ? "SIM" : "NÃO");
    set(colConverter, o.flag("--converter") ? "SIM" : "NÃO");
    set(colOrdinaryFormula, std::to_string(formulaCode(o, "--ord-formula")));
    set(colCompensatoryFormula, std::to_string(formulaCode(o, "--comp-formula")));
    set(colOrdinaryStart,
        o.has("--ord-start") ? optionDate("--ord-start", o.value("--ord-start")).toString() : origin);
    set(colCompensatoryStart,
        o.has("--comp-start") ? optionDate("--comp-start", o.value("--comp-start")).toString() : origin);
    set(colFormCode, optionFormCode(o.value("--form")));
    return grid;
}

int runWorksheetMode(const CalcOptions& o, std::ostream& out, std::ostream& err)
{
    if (o.flag("--no-correction")) throw UsageError{"--no-correction applies to --mode quick only"};
    WorksheetGrid grid = worksheetRow(o);
    const std::string date = optionDate("--date", o.value("--date")).toString();
    auto dm = DataModule::openFolder(o.dir);
    DataModuleReference data(*dm);
    RunReport report = PreparaCalculo(data, grid, nullptr, "", date, 1);
    if (!report.platformError.empty()) {
        err << "quintara-cli calc: " << report.platformError << "\n";
        return 1;
    }
    const ItemCalculation& calc = report.items.at(0).calculation;
    // A failed stage leaves no memo file: only its error text is shown.
    if (calc.outcome == ItemOutcome::FailedStage)
        out << calc.error << "\n";
    else
        for (const std::string& line : calc.memoLines) out << line << "\n";
    out << resultsLine(calc.results) << "\n";
    return 0;
}

QuickInput quickInput(DataModule& dm, const CalcOptions& o)
{
    QuickInput in;
    in.origin = optionDate("--origin", o.value("--origin"));
    in.amount = optionAmount("--amount", o.value("--amount"));
    in.correctionApplied = !o.flag("--no-correction");
    in.formCode = optionFormCode(o.value("--form"));
    in.ordinaryRate = o.has("--ord-rate") ? optionRate("--ord-rate", o.value("--ord-rate")) : Decimal();
    in.compensatoryRate =
        o.has("--comp-rate") ? optionRate("--comp-rate", o.value("--comp-rate")) : Decimal();
    in.fineRate = o.has("--fine") ? optionRate("--fine", o.value("--fine")) : Decimal();
    if (o.has("--fees"))
        optionRate("--fees", o.value("--fees"));  // checked; the quick calculation has no fees
    in.ordinaryStart = o.has("--ord-start") ? optionDate("--ord-start", o.value("--ord-start")) : in.origin;
    in.compensatoryStart =
        o.has("--comp-start") ? optionDate("--comp-start", o.value("--comp-start")) : in.origin;
    in.ordinaryFormula = formulaCode(o, "--ord-formula");
    in.compensatoryFormula = formulaCode(o, "--comp-formula");
    in.fineOnInterest = o.flag("--fine-on-interest");
    in.converter = o.flag("--converter");
    in.fullMonth = o.flag("--full-month");
    in.originCurrency = SiglaDaMoeda(dm, in.origin.toString());
    return in;
}

int runQuickMode(const CalcOptions& o, std::ostream& out)
{
    const Date date = optionDate("--date", o.value("--date"));
    auto dm = DataModule::openFolder(o.dir);
    QuickInput in = quickInput(*dm, o);
    DataModuleReference data(*dm);
    QuickResult r = Executarcalculo(data, in, date);
    if (!r.error.empty()) out << r.error << "\n";
    for (const std::string& line : r.calculationLines) out << line << "\n";
    out << resultsLine(r.results) << "\n";
    return 0;
}

}  // namespace

int cmdCalc(const Args& args, std::ostream& out, std::ostream& err)
{
    CalcOptions o = parseCalcOptions(args);
    if (o.has("--mode") && o.value("--mode") == "quick") return runQuickMode(o, out);
    return runWorksheetMode(o, out, err);
}

}  // namespace quintara::cli
