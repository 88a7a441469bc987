// Exact rational arithmetic for the financial calculators: decimal texts with
// the decimal comma read as exact fractions, and fractions rounded once to an
// amount. Backed by GMP's rationals, so no step loses a digit.
#pragma once

#include <gmpxx.h>

#include <optional>
#include <string_view>

#include "data/amount.h"

namespace quintara {

// "12", "0,5", ",25", "-1.234,5678": an optional sign, digits with optional
// thousands dots in groups of three, an optional decimal comma and decimals.
// Surrounding blanks are ignored. Nothing when the text is not such a number.
std::optional<mpq_class> parseDecimalComma(std::string_view text);

// The amount's exact value.
mpq_class exactValue(Amount amount);

// value rounded once to the nearest ten-thousandth, halves to the even
// neighbour. Throws std::overflow_error when it does not fit an amount.
Amount roundToAmount(const mpq_class& value);

}  // namespace quintara
