// quintara-cli item DIR CASE --form CODE --origin dd/mm/yyyy --amount A
// [options]: appends one item to a registered case's worksheet as the item
// form stores it, in the first free row after the case is loaded as the
// worksheet loads it, and prints its three-digit number. What the form would
// refuse (a date that is not complete, an unknown form) is refused here with
// the form's message.
#include <map>
#include <ostream>
#include <stdexcept>

#include "cli/calc_options.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "data/case_register.h"
#include "data/data_module.h"
#include "data/lookups.h"
#include "worksheet/item_entry.h"
#include "worksheet/worksheet_items.h"

namespace quintara::cli {

namespace {

const char* const kValueOptions[] = {"--form",         "--origin",      "--amount",    "--description",
                                     "--ord-rate",     "--ord-formula", "--ord-start", "--comp-rate",
                                     "--comp-formula", "--comp-start",  "--fine"};
const char* const kFlagOptions[] = {"--payment", "--full-month", "--converter", "--fine-on-interest"};

bool listed(const std::string& a, const auto& list)
{
    for (const char* o : list)
        if (a == o) return true;
    return false;
}

struct ItemOptions {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::map<std::string, bool> flags;
    bool has(const std::string& o) const { return values.count(o) > 0; }
    bool flag(const std::string& o) const { return flags.count(o) > 0; }
    std::string value(const std::string& o, const std::string& fallback = {}) const
    {
        auto found = values.find(o);
        return found == values.end() ? fallback : found->second;
    }
};

ItemOptions parseItemOptions(const Args& args)
{
    ItemOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (listed(a, kFlagOptions)) {
            o.flags[a] = true;
        } else if (listed(a, kValueOptions)) {
            if (i + 1 == args.size()) throw UsageError{a + " needs a value"};
            if (o.has(a)) throw UsageError{a + " is given twice"};
            o.values[a] = args[++i];
        } else if (a.starts_with("--")) {
            throw UsageError{"unknown option " + a};
        } else {
            o.positional.push_back(a);
        }
    }
    if (o.positional.size() != 2) throw UsageError{"expected DIR CASE"};
    for (const char* required : {"--form", "--origin", "--amount"})
        if (!o.has(required)) throw UsageError{std::string(required) + " is required"};
    const std::pair<const char*, std::vector<const char*>> needs[] = {
        {"--ord-rate", {"--ord-formula", "--ord-start"}},
        {"--comp-rate", {"--comp-formula", "--comp-start"}},
        {"--fine", {"--fine-on-interest"}}};
    for (const auto& [rate, dependents] : needs)
        for (const char* dependent : dependents)
            if ((o.has(dependent) || o.flag(dependent)) && !o.has(rate))
                throw UsageError{std::string(dependent) + " needs " + rate};
    return o;
}

int formulaOption(const ItemOptions& o, const std::string& option)
{
    const std::string text = o.value(option, "simples");
    if (text == "simples") return 0;
    if (text == "composto") return 1;
    throw UsageError{option + ": '" + text + "' is neither simples nor composto"};
}

// A number as the form's field takes it: the decimal comma and no more
// decimals than the field has.
Amount fieldNumber(const std::string& option, const std::string& text, int decimals)
{
    const Amount value = optionAmount(option, text);
    const std::size_t comma = text.find(',');
    if (comma != std::string::npos && text.size() - comma - 1 > static_cast<std::size_t>(decimals))
        throw std::runtime_error(option + ": '" + text + "' has more than " + std::to_string(decimals) +
                                 " decimals");
    return value;
}

ItemEntry entryOf(DataModule& dm, const ItemOptions& o)
{
    ItemEntry e;
    e.originDate = o.value("--origin");
    e.originalAmount = fieldNumber("--amount", o.value("--amount"), 2);
    e.description = o.value("--description");
    e.payment = o.flag("--payment");
    e.formCode = optionFormCode(o.value("--form"));
    e.fullMonth = o.flag("--full-month");
    e.converter = o.flag("--converter");
    e.ordinaryRate = fieldNumber("--ord-rate", o.value("--ord-rate", "0"), 4);
    e.ordinaryFormula = formulaOption(o, "--ord-formula");
    e.compensatoryRate = fieldNumber("--comp-rate", o.value("--comp-rate", "0"), 4);
    e.compensatoryFormula = formulaOption(o, "--comp-formula");
    e.fineRate = fieldNumber("--fine", o.value("--fine", "0"), 4);
    e.fineOnInterest = o.flag("--fine-on-interest");
    // The form sets both start dates to the origin date when that field is
    // left; a start date given replaces it.
    e.ordinaryStart = o.value("--ord-start", e.originDate);
    e.compensatoryStart = o.value("--comp-start", e.originDate);
    if (std::optional<ItemEntryRefused> refused = checkItemEntry(dm, e)) throw *refused;
    foxpro::Table& forms = dm.FormaCorrecao();
    forms.setTag("codigo");
    if (forms.seek({e.formCode})) e.formText = forms.getString("FORMA_CH");
    e.originCurrency = SiglaDaMoeda(dm, e.originDate);
    return e;
}

}  // namespace

int cmdItem(const Args& args, std::ostream& out, std::ostream&)
{
    const ItemOptions o = parseItemOptions(args);
    auto dm = DataModule::openFolder(o.positional[0]);
    const std::uint32_t record = findCaseNumber(*dm, o.positional[1]);
    if (record == 0) throw std::runtime_error("O processo '" + o.positional[1] + "' não está cadastrado.");
    // The number as registered: the worksheet finds items by the exact text.
    foxpro::Table& cases = dm->Processos();
    cases.go(record);
    const std::string caseNumber = cases.getString("NPROCESSO");
    const ItemEntry entry = entryOf(*dm, o);
    WorksheetGrid grid;
    loadCaseItems(*dm, grid, caseNumber);
    const int row = grid.ContaString();
    storeNewItem(*dm, grid, caseNumber, row, entry);
    out << itemNumberText(row) << "\n";
    return 0;
}

}  // namespace quintara::cli
