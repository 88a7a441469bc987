// Amounts in words: the numeral is cut into groups of three digits (cents,
// units, thousands, millions...), each group is written out and named, and the
// named groups are joined from the highest down.
#include "data/number_words.h"

#include <stdexcept>
#include <vector>

#include "data/text_routines.h"

namespace quintara {

namespace {

constexpr const char* kUnits[] = {"",      "um",   "dois", "tres", "quatro",
                                  "cinco", "seis", "sete", "oito", "nove"};
constexpr const char* kTeens[] = {"dez",    "onze",      "doze",      "treze",   "quatorze",
                                  "quinze", "dezesseis", "dezessete", "dezoito", "dezenove"};
constexpr const char* kTens[] = {"",          "",         "vinte",   "trinta",  "quarenta",
                                 "cincoenta", "sessenta", "setenta", "oitenta", "noventa"};
constexpr const char* kHundreds[] = {"",           "cem",        "duzentos",   "trezentos",  "quatrocentos",
                                     "quinhentos", "seiscentos", "setecentos", "oitocentos", "novecentos"};

struct GroupName {
    const char* singular;
    const char* plural;
};
constexpr GroupName kGroupNames[] = {{"centavo", "centavos"}, {"real", "reais"},     {"mil", "mil"},
                                     {"milhão", "milhões"},   {"bilhão", "bilhões"}, {"trilhão", "trilhões"}};
constexpr std::size_t kGroupCount = sizeof(kGroupNames) / sizeof(kGroupNames[0]);

int digit(char c)
{
    return c - '0';
}

// Three digits ("015", "101") in words, without a group name.
std::string groupWords(const std::string& group)
{
    std::string words = kHundreds[digit(group[0])];
    const int tens = digit(group[1]) * 10 + digit(group[2]);
    if (tens == 0) return words;
    if (!words.empty()) words += " e ";
    if (tens >= 20) {
        words += kTens[tens / 10];
        if (tens % 10 != 0) words += std::string(" e ") + kUnits[tens % 10];
    } else if (tens >= 10) {
        words += kTeens[tens - 10];
    } else {
        words += kUnits[tens];
    }
    return words;
}

bool allDigits(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// Groups of three digits: [0] the cents ("0" and two decimals), then the
// integer part from the right.
std::vector<std::string> splitGroups(std::string_view numeral)
{
    const std::size_t comma = numeral.find(',');
    std::string_view integerPart = numeral.substr(0, comma);
    std::string_view decimals = comma == std::string_view::npos ? "" : numeral.substr(comma + 1);
    if ((integerPart.empty() && decimals.empty()) || !allDigits(integerPart) || !allDigits(decimals))
        throw std::invalid_argument("'" + std::string(numeral) + "' is not a numeral to write out in words");

    std::string cents = "0" + std::string(decimals.substr(0, 2));
    cents.resize(3, '0');
    std::vector<std::string> groups{cents};

    // Leading zeros would count as higher groups and change the wording.
    const std::size_t firstDigit = integerPart.find_first_not_of('0');
    integerPart = firstDigit == std::string_view::npos ? "" : integerPart.substr(firstDigit);
    std::string digits(integerPart);
    if (digits.empty()) digits = "0";
    digits.insert(0, (3 - digits.size() % 3) % 3, '0');
    for (std::size_t end = digits.size(); end > 0; end -= 3) groups.push_back(digits.substr(end - 3, 3));
    if (groups.size() > kGroupCount)
        throw std::invalid_argument("'" + std::string(numeral) + "' is too large to write out in words");
    return groups;
}

// One group's words followed by its name.
std::string namedGroup(const std::vector<std::string>& groups, std::size_t index)
{
    const std::string& group = groups[index];
    const bool singular = group == "001" && !(index == 1 && groups.size() > 2);
    std::string text =
        groupWords(group) + " " + (singular ? kGroupNames[index].singular : kGroupNames[index].plural);
    if (index == 2 && groups[1] == "000") text += " reais";
    if (index > 2 && groups[1] == "000" && groups[2] == "000") text += " de reais";
    return ReplaceAll(text, "cem e", "cento e");
}

}  // namespace

std::string AmountInWords(std::string_view numeral)
{
    const std::vector<std::string> groups = splitGroups(numeral);
    std::vector<std::string> written;  // lowest group first
    for (std::size_t i = 0; i < groups.size(); ++i)
        if (groups[i] != "000") written.push_back(namedGroup(groups, i));

    std::string text;
    for (std::size_t i = written.size(); i-- > 0;) {
        text += written[i];
        if (i == 1)
            text += " e ";
        else if (i > 1)
            text += ", ";
    }
    return text;
}

std::string AmountInWordsWithCurrency(std::string_view numeral, std::string_view singular,
                                      std::string_view plural)
{
    return ReplaceAll(ReplaceAll(AmountInWords(numeral), "real", singular), "reais", plural);
}

}  // namespace quintara
