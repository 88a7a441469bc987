// Writing amounts in words, group of three digits by group of three digits.
#include "data/number_words.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

#include "data/text_routines.h"

namespace quintara {

namespace {

constexpr std::array<const char*, 20> kUnits = {
    "",    "um",   "dois", "tres",  "quatro",   "cinco",  "seis",      "sete",      "oito",    "nove",
    "dez", "onze", "doze", "treze", "quatorze", "quinze", "dezesseis", "dezessete", "dezoito", "dezenove"};
constexpr std::array<const char*, 10> kTens = {"",          "",         "vinte",   "trinta",  "quarenta",
                                               "cincoenta", "sessenta", "setenta", "oitenta", "noventa"};
constexpr std::array<const char*, 10> kHundreds = {
    "",           "cem",        "duzentos",   "trezentos",  "quatrocentos",
    "quinhentos", "seiscentos", "setecentos", "oitocentos", "novecentos"};

struct GroupName {
    const char* singular;
    const char* plural;
};
// Group 0 holds the cents, group 1 the units of the currency, then thousands,
// millions and so on.
constexpr std::array<GroupName, 6> kGroupNames = {{{"centavo", "centavos"},
                                                   {"real", "reais"},
                                                   {"mil", "mil"},
                                                   {"milhão", "milhões"},
                                                   {"bilhão", "bilhões"},
                                                   {"trilhão", "trilhões"}}};

// The words of a three-digit group ("101" gives "cem e um"; "cem e" becomes
// "cento e" once the group's text is complete).
std::string groupWords(std::string_view group)
{
    std::string text;
    const int hundreds = group[0] - '0';
    const int tens = (group[1] - '0') * 10 + (group[2] - '0');
    if (hundreds != 0) text = kHundreds[static_cast<std::size_t>(hundreds)];
    if (tens == 0) return text;
    if (!text.empty()) text += " e ";
    if (tens >= 20) {
        text += kTens[static_cast<std::size_t>(tens / 10)];
        if (tens % 10 != 0) text += std::string(" e ") + kUnits[static_cast<std::size_t>(tens % 10)];
    } else {
        text += kUnits[static_cast<std::size_t>(tens)];
    }
    return text;
}

bool allDigits(std::string_view text)
{
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// The groups of the numeral, group 0 (cents) first, each three digits.
std::vector<std::string> splitGroups(std::string_view numeral)
{
    const std::size_t comma = numeral.find(',');
    std::string_view integer = numeral.substr(0, comma);
    const std::string_view decimals =
        comma == std::string_view::npos ? std::string_view() : numeral.substr(comma + 1);
    if (!allDigits(integer) || !allDigits(decimals) || (integer.empty() && decimals.empty())) {
        throw std::invalid_argument("'" + std::string(numeral) +
                                    "' is not a numeral that can be written in words");
    }
    std::vector<std::string> groups;
    // The cents group: "0" and the first two decimals, "0" filling a missing one.
    std::string cents(1, '0');
    cents.append(decimals.substr(0, 2));
    cents.resize(3, '0');
    groups.push_back(cents);
    // Leading zeros are no groups of their own: "0001" is written as "1".
    integer = integer.substr(std::min(integer.find_first_not_of('0'), integer.size()));
    std::string digits(integer.empty() ? "0" : integer);
    digits.insert(0, (3 - digits.size() % 3) % 3, '0');
    for (std::size_t end = digits.size(); end > 0; end -= 3) groups.push_back(digits.substr(end - 3, 3));
    if (groups.size() > kGroupNames.size()) {
        throw std::invalid_argument("'" + std::string(numeral) + "' is too large to be written in words");
    }
    return groups;
}

}  // namespace

std::string AmountInWords(std::string_view numeral)
{
    const std::string trimmed =
        TrimRight(numeral.substr(std::min(numeral.size(), numeral.find_first_not_of(' '))));
    const std::vector<std::string> groups = splitGroups(trimmed);
    std::vector<std::string> written;  // lowest group first
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (groups[g] == "000") continue;
        // "um mil e um reais": the units group is plural when groups stand above it.
        const bool singular = groups[g] == "001" && !(g == 1 && groups.size() > 2);
        std::string text =
            groupWords(groups[g]) + " " + (singular ? kGroupNames[g].singular : kGroupNames[g].plural);
        if (g == 2 && groups[1] == "000") text += " reais";
        if (g > 2 && groups[1] == "000" && groups[2] == "000") text += " de reais";
        written.push_back(ReplaceAll(text, "cem e", "cento e"));
    }
    std::string result;
    for (std::size_t i = written.size(); i-- > 0;) {
        result += written[i];
        if (i == 1) {
            result += " e ";
        } else if (i > 1) {
            result += ", ";
        }
    }
    return result;
}

std::string AmountInWordsWithCurrency(std::string_view numeral, std::string_view singular,
                                      std::string_view plural)
{
    return ReplaceAll(ReplaceAll(AmountInWords(numeral), "real", singular), "reais", plural);
}

}  // namespace quintara
