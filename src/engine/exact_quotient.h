// Exact quotients rounded once: the engine's amount steps are products and
// quotients of whole counts (amounts in ten-thousandths, decimals in units of
// their last place), so each is one exact fraction rounded to the nearest
// ten-thousandth, an exact half going to the even neighbour. The products are
// taken in 128 bits, and in arbitrary precision (GMP) when they do not fit.
#pragma once

#include <initializer_list>
#include <optional>

#include "data/amount.h"
#include "engine/decimal.h"

namespace quintara {

using Units = Decimal::Units;

// (n1 × n2 × ...) / (d1 × d2 × ...) as a count of ten-thousandths, rounded
// half to even. Nothing when the denominator is zero or the result does not
// fit an amount's 64-bit count.
std::optional<Amount> roundedQuotient(std::initializer_list<Units> numerator,
                                      std::initializer_list<Units> denominator);

// valor × ((1 + r)^t − 1) with r = rate / (100 × yearDays), t = days, as a
// count of ten-thousandths rounded half to even. Nothing when it does not fit
// an amount. The power is computed in binary floating point with far more
// bits than the result needs, and exactly as a fraction when that
// approximation lies too close to a half to decide the rounding.
std::optional<Amount> compoundGrowth(Amount valor, const Decimal& rate, long days, int yearDays);

}  // namespace quintara
