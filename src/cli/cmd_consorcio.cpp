// quintara-cli consorcio DIR --value V --instalments N --first-due D --date D
// [--paid K] [--admin-fee R] [--reserve-fund R] [--life-insurance R]
// [--interest R] [--fine R] [--residual R]: the consortium calculator with
// the window's fields, printing the overdue due dates, the result labels as
// the window shows them and the exact results.
#include <ostream>

#include "cli/calc_options.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/named_options.h"
#include "data/data_module.h"
#include "data/lookups.h"
#include "engine/consortium.h"
#include "engine/exact_decimal.h"

namespace quintara::cli {

namespace {

int wholeNumber(const std::string& option, const std::string& text)
{
    const auto value = parseDecimalComma(text);
    if (!value || value->get_den() != 1 || !mpz_fits_sint_p(value->get_num_mpz_t()))
        throw UsageError{option + ": '" + text + "' is not a whole number"};
    return static_cast<int>(value->get_num().get_si());
}

mpq_class percentage(const NamedOptions& o, const std::string& option)
{
    const auto text = o.get(option);
    if (!text) return 0;
    const auto value = parseDecimalComma(*text);
    if (!value)
        throw UsageError{option + ": '" + *text + "' is not a percentage (use the decimal comma: 0,05)"};
    return *value;
}

Date optionalDate(const NamedOptions& o, const std::string& option)
{
    const auto text = o.get(option);
    return text ? optionDate(option, *text) : Date();
}

ConsortiumInputs readInputs(const NamedOptions& o)
{
    ConsortiumInputs in;
    if (const auto v = o.get("--value")) in.valordoBem = optionAmount("--value", *v);
    if (const auto n = o.get("--instalments")) in.parcelasPlano = wholeNumber("--instalments", *n);
    if (const auto k = o.get("--paid")) in.parcelasPagas = wholeNumber("--paid", *k);
    in.vencimentoParcela1 = optionalDate(o, "--first-due");
    in.datadoCalculo = optionalDate(o, "--date");
    in.taxaAdministrativa = percentage(o, "--admin-fee");
    in.fundodeReserva = percentage(o, "--reserve-fund");
    in.seguroDeVida = percentage(o, "--life-insurance");
    in.jurosAno = percentage(o, "--interest");
    in.multa = percentage(o, "--fine");
    in.residual = percentage(o, "--residual");
    return in;
}

}  // namespace

int cmdConsorcio(const Args& args, std::ostream& out, std::ostream& err)
{
    const NamedOptions o(args, {"--value", "--instalments", "--first-due", "--date", "--paid", "--admin-fee",
                                "--reserve-fund", "--life-insurance", "--interest", "--fine", "--residual"});
    const ConsortiumInputs in = readInputs(o);
    if (const auto refusal = VerificaDados(in)) {
        err << refusal->message << "\n";
        return 1;
    }
    auto dm = DataModule::openFolder(o.dir());
    const ConsortiumResults r = calculateConsortium(in, dm->uses360DayYear() ? 360 : 365);
    const std::string symbol = SiglaDaMoeda(*dm, in.datadoCalculo.toString());

    for (Date due : r.overdue) out << "OVERDUE " << due.toString() << "\n";
    for (const auto& line : consortiumResultLines(r, symbol))
        out << line.label << "\t" << line.caption << "\t" << line.text << "\n";
    out << "RESULTS Q=" << r.Q.toMachineText() << " TA=" << r.TA.toMachineText()
        << " P=" << r.P.toMachineText() << " J=" << r.J.toMachineText() << " M=" << r.M.toMachineText()
        << " R=" << r.R.toMachineText() << " nV=" << r.nV << " nA=" << r.nA << "\n";
    return 0;
}

}  // namespace quintara::cli
