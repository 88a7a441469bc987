#include "engine/amount_steps.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace quintara {

std::optional<Amount> roundedAmount(long double value)
{
    // Every amount up to the limit of the 64-bit count is kept; beyond it the
    // step fails as an overflow.
    if (!std::isfinite(value)) return std::nullopt;
    try {
        return Amount::fromDouble(value);
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
}

std::optional<Amount> dividedBy(Amount v, long double divisor)
{
    if (divisor == 0) return std::nullopt;
    return roundedAmount(v.toLongDouble() / divisor);
}

std::optional<Amount> multipliedBy(Amount v, long double factor)
{
    return roundedAmount(v.toLongDouble() * factor);
}

std::optional<Amount> withPercentage(Amount v, long double percentage)
{
    long double x = v.toLongDouble();
    return roundedAmount(x * percentage / 100 + x);
}

Amount requireAmount(std::optional<Amount> value, const char* what)
{
    if (!value) throw std::domain_error(std::string("floating point error in ") + what);
    return *value;
}

}  // namespace quintara
