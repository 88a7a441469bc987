// Amounts written out in Portuguese words ("cento e um reais e um centavo"),
// as printed on receipts and reports.
#pragma once

#include <string>
#include <string_view>

namespace quintara {

// A decimal numeral with the decimal comma and no grouping ("1500,25", "2000",
// "0,5") in words with "real"/"reais" and "centavo"/"centavos". Digits after
// the second decimal are ignored. Zero gives an empty text. Throws
// std::invalid_argument for a text that is not such a numeral and for amounts
// of a thousand trillion or more, which have no group name.
std::string AmountInWords(std::string_view numeral);

// AmountInWords, then every "real" replaced by singular and then every "reais"
// by plural: the amount in the words of another currency.
std::string AmountInWordsWithCurrency(std::string_view numeral, std::string_view singular,
                                      std::string_view plural);

}  // namespace quintara
