// Amount arithmetic, conversions and text forms.
#include "data/amount.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace quintara {

namespace {

using Int128 = __int128;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

std::int64_t checkedRaw(Int128 value)
{
    if (value > kMax || value < kMin) throw std::overflow_error("amount out of range");
    return static_cast<std::int64_t>(value);
}

// Rounds a value already expressed in ten-thousandths to a whole count,
// halves to even (the default floating-point rounding mode).
std::int64_t roundScaled(long double scaled)
{
    if (std::isnan(scaled)) throw std::domain_error("amount is not a number");
    const long double rounded = std::nearbyint(scaled);
    // 2^63 is exact in long double; anything at or beyond it does not fit.
    constexpr long double kLimit = 9223372036854775808.0L;
    if (!(rounded < kLimit && rounded >= -kLimit)) throw std::overflow_error("amount out of range");
    return static_cast<std::int64_t>(rounded);
}

// Exact quotient of two integers rounded to nearest, halves to even.
Int128 divideHalfEven(Int128 numerator, Int128 denominator)
{
    Int128 quotient = numerator / denominator;
    Int128 remainder = numerator % denominator;
    if (remainder == 0) return quotient;
    const Int128 twiceRemainder = (remainder < 0 ? -remainder : remainder) * 2;
    const Int128 absDenominator = denominator < 0 ? -denominator : denominator;
    const bool negative = (numerator < 0) != (denominator < 0);
    if (twiceRemainder > absDenominator || (twiceRemainder == absDenominator && quotient % 2 != 0)) {
        quotient += negative ? -1 : 1;
    }
    return quotient;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Builds the raw count from plain digit strings, rounding digits beyond the
// fourth decimal to nearest, halves to even, judged on all of them.
std::int64_t rawFromDigits(bool negative, std::string_view intDigits, std::string_view fracDigits)
{
    Int128 value = 0;
    for (char c : intDigits) {
        value = value * 10 + (c - '0');
        if (value > Int128(kMax)) throw std::overflow_error("amount out of range");
    }
    for (std::size_t i = 0; i < 4; ++i)
        value = value * 10 + (i < fracDigits.size() ? fracDigits[i] - '0' : 0);
    if (fracDigits.size() > 4) {
        const char first = fracDigits[4];
        const bool restNonZero = fracDigits.substr(5).find_first_not_of('0') != std::string_view::npos;
        if (first > '5' || (first == '5' && (restNonZero || value % 2 != 0))) ++value;
    }
    return checkedRaw(negative ? -value : value);
}

[[noreturn]] void notANumber(std::string_view text)
{
    throw std::invalid_argument("'" + std::string(text) + "' is not a valid amount");
}

// Splits an optional sign from the text; returns true for a minus sign.
bool takeSign(std::string_view& text)
{
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        const bool negative = text.front() == '-';
        text.remove_prefix(1);
        return negative;
    }
    return false;
}

// The integer part with optional thousands dots: when dots are used, every
// group after the first must have exactly three digits ("1.234.567").
bool collectGroupedDigits(std::string_view part, std::string& digits)
{
    const bool grouped = part.find('.') != std::string_view::npos;
    std::size_t groupLength = 0;
    bool firstGroup = true;
    for (char c : part) {
        if (c == '.') {
            if (groupLength == 0 || (!firstGroup && groupLength != 3) || groupLength > 3) return false;
            firstGroup = false;
            groupLength = 0;
        } else if (isDigit(c)) {
            digits += c;
            ++groupLength;
        } else {
            return false;
        }
    }
    return !grouped || groupLength == 3;
}

bool allDigits(std::string_view text)
{
    for (char c : text) {
        if (!isDigit(c)) return false;
    }
    return true;
}

}  // namespace

Amount Amount::fromDouble(long double value)
{
    return fromRaw(roundScaled(value * kScale));
}

Amount Amount::parse(std::string_view text)
{
    std::string_view rest = trimBlanks(text);
    const bool negative = takeSign(rest);
    const std::size_t comma = rest.find(',');
    const std::string_view intPart = rest.substr(0, comma);
    const std::string_view fracPart =
        comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    std::string intDigits;
    if (!collectGroupedDigits(intPart, intDigits) || !allDigits(fracPart)) notANumber(text);
    if (intDigits.empty() && fracPart.empty()) notANumber(text);
    return fromRaw(rawFromDigits(negative, intDigits, fracPart));
}

Amount Amount::parseMachine(std::string_view text)
{
    std::string_view rest = trimBlanks(text);
    const bool negative = takeSign(rest);
    const std::size_t point = rest.find('.');
    const std::string_view intPart = rest.substr(0, point);
    const std::string_view fracPart =
        point == std::string_view::npos ? std::string_view() : rest.substr(point + 1);
    if (!allDigits(intPart) || !allDigits(fracPart) || (intPart.empty() && fracPart.empty()))
        notANumber(text);
    return fromRaw(rawFromDigits(negative, intPart, fracPart));
}

std::string Amount::toMachineText() const
{
    const bool negative = raw_ < 0;
    // Negate in unsigned arithmetic so that the most negative amount is printed too.
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(raw_) : static_cast<std::uint64_t>(raw_);
    std::string fraction = std::to_string(magnitude % kScale);
    fraction.insert(0, 4 - fraction.size(), '0');
    return std::string(negative ? "-" : "") + std::to_string(magnitude / kScale) + "." + fraction;
}

std::string Amount::toText(int decimals) const
{
    if (decimals < 0 || decimals > 4) throw std::invalid_argument("an amount has 0 to 4 decimals");
    std::uint64_t magnitude =
        raw_ < 0 ? 0 - static_cast<std::uint64_t>(raw_) : static_cast<std::uint64_t>(raw_);
    std::uint64_t unit = 1;
    for (int i = decimals; i < 4; ++i) unit *= 10;
    // Half away from zero: the dropped digits are compared with half a unit.
    std::uint64_t units = magnitude / unit;
    if ((magnitude % unit) * 2 >= unit && unit > 1) ++units;
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    std::string text = std::to_string(units / scale);
    if (decimals > 0) {
        std::string fraction = std::to_string(units % scale);
        fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
        text += "," + fraction;
    }
    return std::string(raw_ < 0 && units != 0 ? "-" : "") + text;
}

Amount Amount::operator-() const
{
    if (raw_ == kMin) throw std::overflow_error("amount out of range");
    return fromRaw(-raw_);
}

Amount Amount::operator+(Amount other) const
{
    return fromRaw(checkedRaw(Int128(raw_) + other.raw_));
}

Amount Amount::operator-(Amount other) const
{
    return fromRaw(checkedRaw(Int128(raw_) - other.raw_));
}

Amount Amount::operator*(Amount other) const
{
    return fromRaw(checkedRaw(divideHalfEven(Int128(raw_) * other.raw_, kScale)));
}

Amount Amount::operator/(Amount other) const
{
    if (other.raw_ == 0) throw std::domain_error("division of an amount by zero");
    return fromRaw(checkedRaw(divideHalfEven(Int128(raw_) * kScale, other.raw_)));
}

Amount Amount::operator*(long double factor) const
{
    return fromRaw(roundScaled(static_cast<long double>(raw_) * factor));
}

Amount Amount::operator/(long double divisor) const
{
    if (divisor == 0) throw std::domain_error("division of an amount by zero");
    return fromRaw(roundScaled(static_cast<long double>(raw_) / divisor));
}

Amount TruncateToCents(Amount amount)
{
    return Amount::fromRaw(amount.raw() / 100 * 100);
}

}  // namespace quintara
