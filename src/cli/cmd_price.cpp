// quintara-cli price DIR --amount V --years TEXT [--rate TEXT] [--symbol S
// --singular NAME --plural NAME]: the Price table calculator with the
// window's fields, printing the payment, the result sentence and the texts
// its report prints. The currency fields default to today's currency in DIR,
// as the window fills them.
#include <ostream>

#include "cli/calc_options.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/named_options.h"
#include "data/data_module.h"
#include "data/lookups.h"
#include "engine/price_table.h"

namespace quintara::cli {

int cmdPrice(const Args& args, std::ostream& out, std::ostream& err)
{
    const NamedOptions o(args, {"--amount", "--years", "--rate", "--symbol", "--singular", "--plural"});
    const auto amount = o.get("--amount");
    if (!amount) throw UsageError{"--amount is required"};

    PriceInputs in;
    in.valor = optionAmount("--amount", *amount);
    in.prazo = o.getOr("--years", "");
    in.juroano = o.getOr("--rate", "");
    auto dm = DataModule::openFolder(o.dir());
    const std::string today = Date::today().toString();
    in.sigla = o.get("--symbol") ? *o.get("--symbol") : SiglaDaMoeda(*dm, today);
    in.nomeSingular = o.get("--singular") ? *o.get("--singular") : NomeDaMoeda(*dm, today, false);
    in.nomePlural = o.get("--plural") ? *o.get("--plural") : NomeDaMoeda(*dm, today, true);

    const auto result = calculatePrice(in);
    if (const auto* refusal = std::get_if<PriceRefusal>(&result)) {
        err << refusal->message << "\n";
        return 1;
    }
    const auto& r = std::get<PriceResult>(result);
    out << "PMT=" << r.pmt.toMachineText() << "\n"
        << r.resultText << "\n"
        << "REPORT amount=" << r.reportAmount << "\n"
        << "REPORT payment=" << r.reportPayment << "\n"
        << "REPORT rate=" << r.reportRate << "\n"
        << "REPORT term=" << r.reportTerm << "\n";
    return 0;
}

}  // namespace quintara::cli
