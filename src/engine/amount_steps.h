// The engine's arithmetic steps on amounts: each is one expression evaluated
// in extended precision and rounded once to four decimals. A step that divides
// by zero or leaves the range of an amount yields nothing, so that no infinite
// or undefined amount is ever produced.
#pragma once

#include <optional>

#include "data/amount.h"

namespace quintara {

// The value rounded to an amount; nothing when it is not finite or too large.
std::optional<Amount> roundedAmount(long double value);

std::optional<Amount> dividedBy(Amount v, long double divisor);
std::optional<Amount> multipliedBy(Amount v, long double factor);
// V × percentage / 100 + V.
std::optional<Amount> withPercentage(Amount v, long double percentage);

// As above, but a failure throws std::domain_error with the given description
// (steps whose failure ends the calculation).
Amount requireAmount(std::optional<Amount> value, const char* what);

}  // namespace quintara
