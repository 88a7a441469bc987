#include "cli/calc_options.h"

#include <optional>

#include "cli/cli.h"
#include "engine/calculation_table.h"

namespace quintara::cli {

Date optionDate(const std::string& option, const std::string& text)
{
    std::optional<Date> date = Date::tryParse(text);
    if (!date || date->isEmpty()) throw UsageError{option + ": '" + text + "' is not a dd/mm/yyyy date"};
    return *date;
}

Amount optionAmount(const std::string& option, const std::string& text)
{
    try {
        return Amount::parse(text);
    } catch (const std::exception&) {
        throw UsageError{option + ": '" + text + "' is not an amount (use the decimal comma: 1234,56)"};
    }
}

Decimal optionRate(const std::string& option, const std::string& text)
{
    try {
        return parseTableNumber(text);
    } catch (const std::exception&) {
        throw UsageError{option + ": '" + text + "' is not a rate (use the decimal comma: 12,5)"};
    }
}

std::string optionFormCode(const std::string& text)
{
    if (text.empty() || text.size() > 3)
        throw UsageError{"--form: '" + text + "' is not a form code of 1 to 3 characters"};
    if (text.find_first_not_of("0123456789") == std::string::npos)
        return std::string(3 - text.size(), '0') + text;
    return text;
}

}  // namespace quintara::cli
