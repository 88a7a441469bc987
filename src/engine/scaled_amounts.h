// Results of the run's own arithmetic (principal, interest, fine, fees)
// computed on the amounts' counts of ten-thousandths. An amount is exact
// there, so a result that lies exactly halfway between two ten-thousandths is
// seen as such and goes to the even neighbour, as every amount step rounds.
#pragma once

#include "data/amount.h"

namespace quintara {

// base × rate / 100, rounded once. With a rate that is itself an amount the
// result is exact; a floating-point rate is applied in extended precision.
Amount percentOfAmount(Amount base, Amount rate, const char* what);
Amount percentOfAmount(Amount base, long double rate, const char* what);

// amount / divisor, both amounts, rounded once. Throws std::domain_error for
// a zero divisor.
Amount dividedByAmount(Amount amount, Amount divisor, const char* what);

// valor × taxa / 100 × days / yearDays, rounded once: simple interest.
Amount simpleInterestOf(Amount valor, Amount taxaAnual, long days, int yearDays);
Amount simpleInterestOf(Amount valor, long double taxaAnual, long days, int yearDays);
// valor × ((1 + taxa / 100 / yearDays)^days − 1), rounded once.
Amount compoundInterestOf(Amount valor, long double taxaAnual, long days, int yearDays);

}  // namespace quintara
