#include "engine/chain.h"

#include "data/data_module.h"

#include "engine/data_module_reference.h"
#include "engine/text_columns.h"
#include "foxpro/codepage.h"

namespace quintara {

namespace {

// Chains are read up to this many characters (the form fields hold no more).
constexpr std::size_t kChainLimit = 255;

// A quoted literal for a filter expression, with a delimiter the code lacks.
std::string filterLiteral(const std::string& text)
{
    if (text.find('\'') == std::string::npos) return "'" + text + "'";
    if (text.find('"') == std::string::npos) return "\"" + text + "\"";
    return "[" + text + "]";
}

}  // namespace

std::vector<std::string> splitChain(const std::string& cadeia)
{
    std::string rest = foxpro::utf8Left(trimBlanks(cadeia), kChainLimit);
    std::vector<std::string> codes;
    while (!isBlankText(rest)) {
        int p = separatorPosition(rest);
        if (p <= 0) {
            codes.push_back(rest);
            break;
        }
        codes.push_back(columns(rest, 1, static_cast<std::size_t>(p)));
        rest = columnsFrom(rest, static_cast<std::size_t>(p) + 2);
    }
    if (codes.empty()) codes.emplace_back();
    return codes;
}

std::vector<std::string> SeparaIndices(ReferenceData& data, const std::string& cadeia,
                                       bool somenteCadastrados)
{
    std::vector<std::string> codes = splitChain(cadeia);
    if (somenteCadastrados) {
        for (std::string& code : codes)
            if (!code.empty() && !IndiceCadastrado(data, code)) code.clear();
    }
    return codes;
}

bool IndiceCadastrado(ReferenceData& data, const std::string& codigo)
{
    return data.index(codigo).has_value();
}

bool IndiceCadastrado(DataModule& dm, const std::string& codigo)
{
    DataModuleReference data(dm);
    return IndiceCadastrado(data, codigo);
}

bool ValidaCadeia(ReferenceData& data, const std::string& cadeia)
{
    std::vector<std::string> codes = splitChain(cadeia);
    for (const std::string& code : codes)
        if (code.empty() || !IndiceCadastrado(data, code)) return false;
    return !codes.empty();
}

bool ValidaCadeia(DataModule& dm, const std::string& cadeia)
{
    DataModuleReference data(dm);
    return ValidaCadeia(data, cadeia);
}

std::string PeriodoDoIndice(DataModule& dm, const std::string& codigo)
{
    foxpro::Table& values = dm.ValorIndices();
    // Positions are found by seeking with the filter off: with the filter on,
    // a search that lands outside the index's records would walk the table.
    values.setFilterActive(false);
    values.setTag("coddata");
    std::string first(kEmptyDateText);
    std::string last(kEmptyDateText);
    auto onCode = [&] {
        return !values.eof() && !values.bof() && trimRightBlanks(values.getString("LCM_COD")) == codigo;
    };
    if (columnCount(codigo) <= 10) {
        values.seekNearest({codigo});
        if (onCode()) {
            first = values.getString("LCM_DATA");
            values.seekNearest({codigo, "99991231"});
            if (values.eof())
                values.last();
            else
                values.prior();
            if (onCode()) last = values.getString("LCM_DATA");
        }
    }
    values.setFilter("LCM_COD = " + filterLiteral(codigo));
    values.setFilterActive(true);
    if (first.empty()) first = kEmptyDateText;
    if (last.empty()) last = kEmptyDateText;
    return first + " até " + last;
}

}  // namespace quintara
