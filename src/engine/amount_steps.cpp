#include "engine/amount_steps.h"

#include <stdexcept>
#include <string>

#include "engine/exact_quotient.h"

namespace quintara {

// An amount is raw / 10^4 and a decimal units / 10^s, so a result in
// ten-thousandths is a quotient of whole numbers.

std::optional<Amount> dividedBy(Amount v, const Decimal& divisor)
{
    return roundedQuotient({v.raw(), divisor.unit()}, {divisor.units});
}

std::optional<Amount> multipliedBy(Amount v, const Decimal& factor)
{
    return roundedQuotient({v.raw(), factor.units}, {factor.unit()});
}

std::optional<Amount> withPercentage(Amount v, const Decimal& percentage)
{
    // V × p / 100 + V = V × (p + 100) / 100
    const Units hundred = percentage.unit() * 100;
    return roundedQuotient({v.raw(), percentage.units + hundred}, {hundred});
}

Amount requireAmount(std::optional<Amount> value, const char* what)
{
    if (!value) throw std::domain_error(std::string("floating point error in ") + what);
    return *value;
}

}  // namespace quintara
