// The display-only fields of the data module, computed from the current
// record of their table. A failure while reading falls back to the value a
// grid shows for a blank record instead of reaching the person.
#include <charconv>
#include <exception>
#include <optional>
#include <stdexcept>

#include "data/data_module.h"
#include "data/format_text.h"

namespace quintara {

namespace {

// The text read as a whole number, as the stored one-character codes are;
// nothing when it is not a number (a blank code included).
std::optional<int> readInteger(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}

std::string formattedNumber(foxpro::Table& t, const std::string& field, const char* pattern)
{
    double value = 0.0;
    try {
        value = t.getNumber(field);
    } catch (const std::exception&) {
        value = 0.0;
    }
    return formatText(pattern, {value});
}

}  // namespace

std::string DataModule::valoritem(TableId id)
{
    switch (id) {
        case TableId::ValorIndices:
            return formattedNumber(ValorIndices(), "LCM_VALOR", "%10.9n");
        case TableId::Custas:
            return formattedNumber(Custas(), "TCU_VALOR", "%9.2n");
        default:
            throw std::invalid_argument("valoritem exists only for ValorIndices and Custas, not " +
                                        componentName(id));
    }
}

std::string DataModule::catualiza()
{
    try {
        foxpro::Table& t = Indices();
        // A kind that is not a number makes the whole row read as a monthly
        // percentage index, whatever the periodicity says.
        if (!readInteger(t.getString("TBCM_VAL"))) return "Mensal";
        return t.getString("TBCM_TIP") == "1" ? "Diária" : "Mensal";
    } catch (const std::exception&) {
        return "Mensal";
    }
}

std::string DataModule::cTipoValor()
{
    std::optional<int> kind;
    try {
        kind = readInteger(Indices().getString("TBCM_VAL"));
    } catch (const std::exception&) {
        kind.reset();
    }
    if (!kind) return "Percentual";
    switch (*kind) {
        case 1:
            return "Multiplicador";
        case 2:
            return "Percentual";
        case 3:
            return "Moeda";
        case 4:
            return "TaxaJuro";
        default:
            return "";
    }
}

std::string DataModule::nomesituacao()
{
    // Only a code that is not a number falls back; a failure to read the
    // record reaches the caller.
    std::optional<int> code = readInteger(Processos().getString("SITUACAO"));
    if (!code) return "Em aberto";
    switch (*code) {
        case 0:
            return "Em Aberto";
        case 1:
            return "Cancelado";
        case 2:
            return "Suspenso";
        case 3:
            return "Concluído";
        default:
            return "Em aberto";
    }
}

}  // namespace quintara
