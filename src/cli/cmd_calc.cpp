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
#include "worksheet/item_row.h"

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

// The item as the worksheet calculates it: the typed options, with the rates
// taken through the grid as an item entry would have written them there.
ItemParameters worksheetItem(const CalcOptions& o)
{
    auto rate = [&o](const char* option) {
        if (!o.has(option)) return Amount();
        optionAmount(option, o.value(option));
        return gridRate(o.value(option));
    };
    ItemParameters p;
    p.origin = optionDate("--origin", o.value("--origin"));
    p.amount = optionAmount("--amount", o.value("--amount"));
    p.fullMonth = o.flag("--full-month");
    p.ordinaryRate = rate("--ord-rate");
    p.compensatoryRate = rate("--comp-rate");
    p.fineRate = rate("--fine");
    p.feeRate = rate("--fees");
    p.fineOnInterest = o.flag("--fine-on-interest");
    p.converter = o.flag("--converter");
    p.ordinaryFormula = formulaCode(o, "--ord-formula");
    p.compensatoryFormula = formulaCode(o, "--comp-formula");
    const Date ordinaryStart =
        o.has("--ord-start") ? optionDate("--ord-start", o.value("--ord-start")) : p.origin;
    const Date compensatoryStart =
        o.has("--comp-start") ? optionDate("--comp-start", o.value("--comp-start")) : p.origin;
    p.ordinaryStart = p.ordinaryRate > Amount() ? ordinaryStart : zeroDate();
    p.compensatoryStart = p.compensatoryRate > Amount() ? compensatoryStart : zeroDate();
    p.formCode = optionFormCode(o.value("--form"));
    return p;
}

int runWorksheetMode(const CalcOptions& o, std::ostream& out, std::ostream& err)
{
    if (o.flag("--no-correction")) throw UsageError{"--no-correction applies to --mode quick only"};
    const ItemParameters item = worksheetItem(o);
    const Date date = optionDate("--date", o.value("--date"));
    auto dm = DataModule::openFolder(o.dir);
    DataModuleReference data(*dm);
    ItemCalculation calc;
    try {
        calc = ExecutarCalculo(data, item, date);
    } catch (const std::exception& e) {
        err << "quintara-cli calc: " << e.what() << "\n";
        return 1;
    }
    // A failed stage leaves no memo file: only its error text is shown.
    if (calc.outcome == ItemOutcome::FailedStage) {
        out << calc.error << "\n";
    } else {
        appendClosingLines(calc);
        for (const std::string& line : calc.memoLines) out << line << "\n";
    }
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
