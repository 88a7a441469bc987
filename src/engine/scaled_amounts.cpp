#include "engine/scaled_amounts.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace quintara {

namespace {

using Int128 = __int128;

// Results of this size or larger are refused, as the walk refuses them.
constexpr long double kLimit = 9.0e18L;

[[noreturn]] void failed(const char* what)
{
    throw std::domain_error(std::string("floating point error in ") + what);
}

// A count of ten-thousandths rounded to the nearest whole one, halves to even.
Amount fromCount(long double count, const char* what)
{
    if (!std::isfinite(count) || std::fabs(count) >= kLimit) failed(what);
    return Amount::fromRaw(static_cast<std::int64_t>(std::nearbyint(count)));
}

// numerator / denominator rounded to the nearest integer, halves to even.
Amount fromRatio(Int128 numerator, Int128 denominator, const char* what)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    Int128 quotient = numerator / denominator;
    const Int128 remainder = numerator % denominator;
    const Int128 twice = (remainder < 0 ? -remainder : remainder) * 2;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        quotient += numerator < 0 ? -1 : 1;
    if (quotient >= Int128(9000000000000000000LL) || quotient <= -Int128(9000000000000000000LL)) failed(what);
    return Amount::fromRaw(static_cast<std::int64_t>(quotient));
}

Int128 product(Int128 a, Int128 b, const char* what)
{
    Int128 result = 0;
    if (__builtin_mul_overflow(a, b, &result)) failed(what);
    return result;
}

}  // namespace

Amount percentOfAmount(Amount base, Amount rate, const char* what)
{
    // raw × rate raw / (10000 × 100)
    return fromRatio(product(base.raw(), rate.raw(), what), Int128(Amount::kScale) * 100, what);
}

Amount percentOfAmount(Amount base, long double rate, const char* what)
{
    return fromCount(static_cast<long double>(base.raw()) * rate / 100, what);
}

Amount dividedByAmount(Amount amount, Amount divisor, const char* what)
{
    if (divisor.isZero()) throw std::domain_error(std::string("division by zero in ") + what);
    return fromRatio(product(amount.raw(), Amount::kScale, what), divisor.raw(), what);
}

Amount simpleInterestOf(Amount valor, Amount taxaAnual, long days, int yearDays)
{
    const char* what = "simple interest";
    const Int128 numerator = product(product(valor.raw(), taxaAnual.raw(), what), days, what);
    return fromRatio(numerator, Int128(Amount::kScale) * 100 * yearDays, what);
}

Amount simpleInterestOf(Amount valor, long double taxaAnual, long days, int yearDays)
{
    const long double count = static_cast<long double>(valor.raw()) * taxaAnual * days;
    return fromCount(count / (100.0L * yearDays), "simple interest");
}

Amount compoundInterestOf(Amount valor, long double taxaAnual, long days, int yearDays)
{
    const long double r = taxaAnual / 100 / yearDays;
    const long double growth = std::pow(1 + r, static_cast<long double>(days)) - 1;
    return fromCount(static_cast<long double>(valor.raw()) * growth, "compound interest");
}

}  // namespace quintara
