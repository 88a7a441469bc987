// The walk's arithmetic steps on amounts: each is one exact expression of the
// amount and a decimal (an index value, a conversion divisor, a percentage),
// rounded once to four decimals with an exact half going to the even
// neighbour. A step that divides by zero or leaves the range of an amount
// yields nothing, so that no infinite or undefined amount is ever produced.
#pragma once

#include <optional>

#include "data/amount.h"
#include "engine/decimal.h"

namespace quintara {

std::optional<Amount> dividedBy(Amount v, const Decimal& divisor);
std::optional<Amount> multipliedBy(Amount v, const Decimal& factor);
// V × percentage / 100 + V.
std::optional<Amount> withPercentage(Amount v, const Decimal& percentage);

// As above, but a failure throws std::domain_error with the given description
// (steps whose failure ends the calculation).
Amount requireAmount(std::optional<Amount> value, const char* what);

}  // namespace quintara
