#include "app/reference/index_catalogue.h"

#include <regex>
#include <stdexcept>

#include "data/format_text.h"
#include "engine/chain.h"
#include "engine/text_columns.h"

namespace quintara {

namespace {

bool onCode(foxpro::Table& values, const std::string& code)
{
    return !values.eof() && !values.bof() && trimBlanks(values.getString("LCM_COD")) == code;
}

}  // namespace

std::optional<std::string> filterLiteral(const std::string& text)
{
    if (text.find('\'') == std::string::npos) return "'" + text + "'";
    if (text.find('"') == std::string::npos) return "\"" + text + "\"";
    if (text.find(']') == std::string::npos) return "[" + text + "]";
    return std::nullopt;
}

std::vector<IndexValueRecord> valuesOfIndex(DataModule& dm, const std::string& code)
{
    foxpro::Table& values = dm.ValorIndices();
    dm.DisableControls();
    std::vector<IndexValueRecord> rows;
    try {
        values.setFilterActive(false);
        values.setTag("coddata");
        if (!code.empty() && values.seek({code})) {
            for (; onCode(values, code); values.next()) {
                IndexValueRecord row;
                row.recNo = values.recNo();
                row.date = Date::fromDtos(values.getDate("LCM_DATA"));
                row.value = values.getNumber("LCM_VALOR");
                row.shown = dm.valoritem(TableId::ValorIndices);
                rows.push_back(std::move(row));
            }
        }
        // The shared table follows the selected index, as other windows read it.
        if (std::optional<std::string> literal = filterLiteral(code)) {
            values.setFilter("LCM_COD = " + *literal);
            values.setFilterActive(true);
        }
        values.first();
    } catch (...) {
        dm.EnableControls();
        throw;
    }
    dm.EnableControls();
    return rows;
}

std::vector<std::string> formsUsingIndex(DataModule& dm, const std::string& code)
{
    foxpro::Table& forms = dm.FormaCorrecao();
    forms.setTag("codigo");
    std::vector<std::string> users;
    for (forms.first(); !forms.eof(); forms.next()) {
        for (const std::string& named : splitChain(forms.getString("FORMA_CH"))) {
            if (trimBlanks(named) == code) {
                users.push_back(forms.getString("FORMA_COD"));
                break;
            }
        }
    }
    return users;
}

bool indexHasValues(DataModule& dm, const std::string& code)
{
    foxpro::Table& values = dm.ValorIndices();
    const bool wasActive = values.filterActive();
    values.setFilterActive(false);
    values.setTag("coddata");
    const bool found = !code.empty() && values.seek({code});
    values.setFilterActive(wasActive);
    return found;
}

int deleteIndexValues(DataModule& dm, const std::string& code)
{
    foxpro::Table& values = dm.ValorIndices();
    dm.DisableControls();
    int deleted = 0;
    try {
        values.setFilterActive(false);
        values.setTag("coddata");
        while (!code.empty() && values.seek({code})) {
            values.remove();
            ++deleted;
        }
    } catch (...) {
        dm.EnableControls();
        throw;
    }
    dm.EnableControls();
    return deleted;
}

std::string indexValueText(const std::string& typed)
{
    const std::string text = trimBlanks(typed);
    // Thousands dots only between groups of three digits; one decimal comma.
    static const std::regex pattern(R"(^(-?)(\d{1,3}(?:\.\d{3})+|\d+)(?:,(\d+))?$)");
    std::smatch match;
    if (!std::regex_match(text, match, pattern))
        throw std::invalid_argument("'" + text + "' não é um valor numérico válido");
    std::string whole = match[2].str();
    std::erase(whole, '.');
    std::string result = match[1].str() + whole;
    if (match[3].matched) {
        result += '.';
        result += match[3].str();
    }
    return result;
}

}  // namespace quintara
