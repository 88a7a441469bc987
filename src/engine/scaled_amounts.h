// Results of the run's own arithmetic (principal, interest, fine, fees)
// computed exactly on the amounts' counts of ten-thousandths and the rates'
// decimals, so that a result that lies exactly halfway between two
// ten-thousandths is seen as such and goes to the even neighbour, as every
// amount step rounds. Results of 9 × 10^18 ten-thousandths or more are
// refused with std::domain_error.
#pragma once

#include "data/amount.h"
#include "engine/decimal.h"

namespace quintara {

// base × rate / 100, rounded once.
Amount percentOfAmount(Amount base, const Decimal& rate, const char* what);

// amount / divisor, rounded once. Throws std::domain_error for a zero divisor.
Amount dividedByAmount(Amount amount, const Decimal& divisor, const char* what);

// valor × taxa / 100 × days / yearDays, rounded once: simple interest.
Amount simpleInterestOf(Amount valor, const Decimal& taxaAnual, long days, int yearDays);
// valor × ((1 + taxa / 100 / yearDays)^days − 1), rounded once.
Amount compoundInterestOf(Amount valor, const Decimal& taxaAnual, long days, int yearDays);

}  // namespace quintara
