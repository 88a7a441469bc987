#include "engine/exact_quotient.h"

#include <gmpxx.h>

#include <cmath>
#include <cstdint>

namespace quintara {

namespace {

constexpr Units kMaxCount = static_cast<Units>(INT64_MAX);
constexpr Units kMinCount = static_cast<Units>(INT64_MIN);

mpz_class toMpz(Units v)
{
    const bool negative = v < 0;
    unsigned __int128 magnitude =
        negative ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
    mpz_class result(static_cast<unsigned long>(static_cast<std::uint64_t>(magnitude >> 64)));
    result <<= 64;
    result += static_cast<unsigned long>(static_cast<std::uint64_t>(magnitude));
    return negative ? mpz_class(-result) : result;
}

std::optional<Amount> countInRange(const mpz_class& count)
{
    if (!count.fits_slong_p()) return std::nullopt;
    return Amount::fromRaw(count.get_si());
}

// numerator / denominator rounded half to even, denominator not zero.
std::optional<Amount> roundHalfEven(mpz_class numerator, mpz_class denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    mpz_class quotient;
    mpz_class remainder;
    mpz_fdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), numerator.get_mpz_t(), denominator.get_mpz_t());
    const int side = cmp(mpz_class(remainder * 2), denominator);
    if (side > 0 || (side == 0 && mpz_odd_p(quotient.get_mpz_t()))) ++quotient;
    return countInRange(quotient);
}

std::optional<Amount> roundHalfEven(Units numerator, Units denominator)
{
    // A negative denominator is rare (a negative index value): it goes the
    // exact way rather than negating values at the edge of the range.
    if (denominator < 0) return roundHalfEven(toMpz(numerator), toMpz(denominator));
    Units quotient = numerator / denominator;
    Units remainder = numerator % denominator;
    if (remainder < 0) {  // floor division
        quotient -= 1;
        remainder += denominator;
    }
    const Units rest = denominator - remainder;
    if (remainder > rest || (remainder == rest && quotient % 2 != 0)) ++quotient;
    if (quotient > kMaxCount || quotient < kMinCount) return std::nullopt;
    return Amount::fromRaw(static_cast<std::int64_t>(quotient));
}

bool productOf(std::initializer_list<Units> factors, Units& result)
{
    result = 1;
    for (Units f : factors)
        if (__builtin_mul_overflow(result, f, &result)) return false;
    return true;
}

mpz_class exactProductOf(std::initializer_list<Units> factors)
{
    mpz_class result = 1;
    for (Units f : factors) result *= toMpz(f);
    return result;
}

// Bits of the floating-point power: the result needs about 64 bits before
// the point and the rounding a few after, while the power loses up to
// log2(days) + a few bits to rounding.
constexpr mp_bitcnt_t kPowerBits = 256;

}  // namespace

std::optional<Amount> roundedQuotient(std::initializer_list<Units> numerator,
                                      std::initializer_list<Units> denominator)
{
    Units n = 0;
    Units d = 0;
    if (productOf(numerator, n) && productOf(denominator, d)) {
        if (d == 0) return std::nullopt;
        return roundHalfEven(n, d);
    }
    mpz_class exactDenominator = exactProductOf(denominator);
    if (exactDenominator == 0) return std::nullopt;
    return roundHalfEven(exactProductOf(numerator), exactDenominator);
}

std::optional<Amount> compoundGrowth(Amount valor, const Decimal& rate, long days, int yearDays)
{
    if (valor.isZero() || rate.isZero() || days == 0) return Amount();
    // 1 + r = N / D with N = D + rate units and D = 10^scale × 100 × yearDays;
    // a negative day count turns the fraction over.
    mpz_class d = toMpz(rate.unit()) * 100 * yearDays;
    mpz_class n = d + toMpz(rate.units);
    if (n <= 0) return std::nullopt;  // a rate of -100 % a day or less has no power
    if (days < 0) std::swap(n, d);
    const unsigned long t = static_cast<unsigned long>(days < 0 ? -days : days);

    mpf_class base(n, kPowerBits);
    base /= mpf_class(d, kPowerBits);
    mpf_class power(0, kPowerBits);
    mpf_pow_ui(power.get_mpf_t(), base.get_mpf_t(), t);
    const mpf_class count = mpf_class(valor.raw(), kPowerBits) * (power - 1);
    if (abs(count) >= mpf_class(9.0e18, kPowerBits)) return std::nullopt;

    // Each of the ~2 log2(t) products of the power errs by one unit of its
    // last place; the error of the count is bounded by that many units of the
    // last place of valor × power, with a wide margin.
    const double bound = (std::fabs(static_cast<double>(valor.raw())) * power.get_d() + 1.0) *
                         (static_cast<double>(t) + 64.0) * std::ldexp(1.0, -static_cast<int>(kPowerBits) + 8);
    const mpf_class below = floor(count);
    const mpf_class fraction = count - below;
    if (abs(mpf_class(fraction - 0.5)) > bound)
        return Amount::fromRaw(below.get_si() + (fraction > 0.5 ? 1 : 0));
    mpz_class nt;
    mpz_class dt;
    mpz_pow_ui(nt.get_mpz_t(), n.get_mpz_t(), t);
    mpz_pow_ui(dt.get_mpz_t(), d.get_mpz_t(), t);
    return roundHalfEven(mpz_class(toMpz(valor.raw()) * (nt - dt)), dt);
}

}  // namespace quintara
