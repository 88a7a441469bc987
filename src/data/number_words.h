// Amounts written out in Portuguese words ("cento e um reais e um centavo"),
// for receipts, the item detail and the Price table's result text.
#pragma once

#include <string>
#include <string_view>

namespace quintara {

// The amount in a plain numeral with the decimal comma and no grouping
// ("1500,25", "0,5", "2000") in words with "real"/"reais" and
// "centavo"/"centavos". Digits after the second decimal are ignored; an
// amount of zero gives an empty text. Throws std::invalid_argument for a
// numeral that is not digits with an optional decimal comma, or that has more
// than fifteen integer digits (no group name beyond the trillions).
std::string AmountInWords(std::string_view numeral);

// AmountInWords with every "real" replaced by `singular`, then every "reais"
// by `plural`: the amount written in the currency of its era.
std::string AmountInWordsWithCurrency(std::string_view numeral, std::string_view singular,
                                      std::string_view plural);

}  // namespace quintara
