// quintara-cli table DIR --form CODE --origin D --date D [--converter]: the
// adjusted sequence of one calculation, a line "--", then its calculation table.
#include <optional>
#include <ostream>

#include "cli/calc_options.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "engine/calculation_table.h"
#include "engine/data_module_reference.h"

namespace quintara::cli {

int cmdTable(const Args& args, std::ostream& out, std::ostream&)
{
    std::vector<std::string> positional;
    std::optional<std::string> form, origin, date;
    bool converter = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--converter") {
            converter = true;
            continue;
        }
        if (a == "--form" || a == "--origin" || a == "--date") {
            if (i + 1 == args.size()) throw UsageError{a + " needs a value"};
            (a == "--form" ? form : a == "--origin" ? origin : date) = args[++i];
            continue;
        }
        if (a.starts_with("--")) throw UsageError{"unknown option " + a};
        positional.push_back(a);
    }
    if (positional.size() != 1) throw UsageError{"expected one data directory DIR"};
    if (!form) throw UsageError{"--form is required"};
    if (!origin) throw UsageError{"--origin is required"};
    if (!date) throw UsageError{"--date is required"};
    const std::string code = optionFormCode(*form);
    const Date d0 = optionDate("--origin", *origin);
    const Date d1 = optionDate("--date", *date);

    auto dm = DataModule::openFolder(positional[0]);
    DataModuleReference data(*dm);
    Sequence adjusted = AjustaSequencia(MontaSequencia(data, code), d0, d1);
    TableResult table = PegaValores(data, adjusted, d0, converter);
    for (const std::string& line : adjusted) out << line << "\n";
    out << "--\n";
    for (const TableEntry& entry : table.entries) out << entry.line() << "\n";
    return 0;
}

}  // namespace quintara::cli
