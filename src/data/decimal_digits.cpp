// Exact decimal expansions and their rounding and text forms.
#include "data/decimal_digits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace quintara {

namespace {

// Bits of the long double significand: every finite value is M × 2^(e - bits)
// for an integer M, so its exact expansion has at most (bits - e) decimals.
constexpr int kSignificandBits = std::numeric_limits<long double>::digits;
static_assert(kSignificandBits <= 64, "the significand must fit 64 bits");

std::string exponentText(int exponent)
{
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return std::string("E") + (exponent < 0 ? "-" : "+") + digits;
}

}  // namespace

DecimalDigits DecimalDigits::of(std::int64_t value)
{
    DecimalDigits d;
    d.negative = value < 0;
    const std::uint64_t magnitude = d.negative ? 0 - static_cast<std::uint64_t>(value) : value;
    d.digits = std::to_string(magnitude);
    d.pointPos = static_cast<int>(d.digits.size());
    d.normalise();
    return d;
}

DecimalDigits DecimalDigits::of(Amount value)
{
    DecimalDigits d = of(value.raw());
    if (!d.isZero()) d.pointPos -= 4;
    return d;
}

DecimalDigits DecimalDigits::of(long double value)
{
    if (!std::isfinite(value))
        throw std::invalid_argument("a value that is not a finite number cannot be shown");
    if (value == 0) return {};
    int exponent = 0;
    std::frexp(value, &exponent);
    return printed(value, std::max(0, kSignificandBits - exponent));
}

DecimalDigits DecimalDigits::ofRounded(long double value, int decimals)
{
    if (!std::isfinite(value))
        throw std::invalid_argument("a value that is not a finite number cannot be shown");
    if (value == 0) return {};
    // value = odd × 2^lowBit, so its exact expansion has exactly -lowBit
    // places after the point. With one place more than asked for, the cut
    // falls exactly on a half, which the library would round to even: print
    // that exact form and round it here, half away from zero. Otherwise the
    // library's correctly rounded text of `decimals` places is the answer.
    if (std::optional<DecimalDigits> quick = roundedByScaling(value, decimals)) return *quick;
    int exponent = 0;
    const long double fraction = std::frexp(std::fabs(value), &exponent);
    const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, kSignificandBits));
    const int lowBit = exponent - kSignificandBits + std::countr_zero(significand);
    const int exactPlaces = std::max(0, -lowBit);
    if (exactPlaces != decimals + 1) return printed(value, std::min(decimals, exactPlaces));
    DecimalDigits d = printed(value, exactPlaces);
    d.roundToDecimals(decimals);
    return d;
}

// Most values are rounded by scaling: |value| × 10^decimals is computed with
// one rounding (relative error at most 2^-64), so when that product lies
// clearly away from every half-integer, its nearest integer is the nearest
// integer of the exact product too and needs no decimal expansion. Values
// close to a half, or too large for 64 bits, give nothing.
std::optional<std::uint64_t> DecimalDigits::scaledMagnitude(long double value, int decimals)
{
    static const auto powers = [] {
        std::array<long double, 19> p{};
        p[0] = 1;
        for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
        return p;
    }();
    if (!std::isfinite(value) || decimals < 0 || decimals >= static_cast<int>(powers.size()))
        return std::nullopt;
    const long double scaled = std::fabs(value) * powers[static_cast<std::size_t>(decimals)];
    if (!(scaled < 0x1p62L)) return std::nullopt;
    const long double whole = std::floor(scaled);
    const long double fraction = scaled - whole;  // exact
    if (std::fabs(fraction - 0.5L) <= scaled * 0x1p-62L + 0x1p-64L) return std::nullopt;
    return static_cast<std::uint64_t>(whole) + (fraction > 0.5L ? 1 : 0);
}

std::optional<DecimalDigits> DecimalDigits::roundedByScaling(long double value, int decimals)
{
    const std::optional<std::uint64_t> rounded = scaledMagnitude(value, decimals);
    if (!rounded) return std::nullopt;
    DecimalDigits d;
    if (*rounded == 0) return d;
    d.negative = value < 0;
    d.digits = std::to_string(*rounded);
    d.pointPos = static_cast<int>(d.digits.size()) - decimals;
    d.normalise();
    return d;
}

std::string DecimalDigits::fixedFromScaled(bool negative, std::uint64_t scaled, int decimals, bool grouped)
{
    std::string digits = std::to_string(scaled);
    const auto places = static_cast<std::size_t>(decimals);
    if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
    const std::size_t integerDigits = digits.size() - places;
    std::string text;
    text.reserve(digits.size() + integerDigits / 3 + 2);
    if (negative && scaled != 0) text += '-';
    for (std::size_t i = 0; i < integerDigits; ++i) {
        if (grouped && i > 0 && (integerDigits - i) % 3 == 0) text += '.';
        text += digits[i];
    }
    if (decimals > 0) {
        text += ',';
        text.append(digits, integerDigits, places);
    }
    return text;
}

// The text of `value` with `decimals` places (correctly rounded by the
// library), read back as digits.
DecimalDigits DecimalDigits::printed(long double value, int decimals)
{
    int exponent = 0;
    std::frexp(value, &exponent);
    // Integer digits: at most exponent × log10(2) + 1; room for sign and point.
    const std::size_t size = static_cast<std::size_t>(std::max(0, exponent)) * 31 / 100 + decimals + 8;
    char small[160];
    std::string large;
    char* buffer = small;
    if (size > sizeof small) {
        large.resize(size);
        buffer = large.data();
    }
    // A value that a double holds exactly takes the double routine, which
    // gives the same correctly rounded text much faster.
    char* const end = buffer + std::max(size, sizeof small);
    const auto narrow = static_cast<double>(value);
    const auto result = static_cast<long double>(narrow) == value
                            ? std::to_chars(buffer, end, narrow, std::chars_format::fixed, decimals)
                            : std::to_chars(buffer, end, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) throw std::runtime_error("number could not be converted to text");
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    DecimalDigits d;
    if (text.front() == '-') {
        d.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    d.pointPos = static_cast<int>(point == std::string_view::npos ? text.size() : point);
    d.digits.reserve(text.size());
    for (char c : text) {
        if (c != '.') d.digits += c;
    }
    d.normalise();
    return d;
}

void DecimalDigits::normalise()
{
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        digits.clear();
        pointPos = 0;
        return;
    }
    digits.erase(0, first);
    pointPos -= static_cast<int>(first);
    digits.erase(digits.find_last_not_of('0') + 1);
}

// Keeps the first `keep` digits; the next one decides (half away from zero).
void DecimalDigits::roundAt(int keep)
{
    if (keep >= static_cast<int>(digits.size())) return;
    if (keep < 0) {
        digits.clear();
        normalise();
        return;
    }
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits.insert(0, 1, '1');
            ++pointPos;
        }
    }
    normalise();
}

void DecimalDigits::roundToDecimals(int decimals)
{
    roundAt(pointPos + decimals);
}

void DecimalDigits::roundToSignificant(int count)
{
    roundAt(count);
}

std::string DecimalDigits::fixed(int decimals, bool grouped) const
{
    DecimalDigits r = *this;
    r.roundToDecimals(decimals);
    auto digitAt = [&r](int index) {
        return index >= 0 && index < static_cast<int>(r.digits.size())
                   ? r.digits[static_cast<std::size_t>(index)]
                   : '0';
    };
    std::string text;
    text.reserve(static_cast<std::size_t>(std::max(1, r.pointPos) * 4 / 3 + decimals + 3));
    if (r.negative && !r.isZero()) text += '-';
    if (r.pointPos <= 0) text += '0';
    for (int i = 0; i < r.pointPos; ++i) {
        if (grouped && i > 0 && (r.pointPos - i) % 3 == 0) text += '.';
        text += digitAt(i);
    }
    if (decimals > 0) {
        text += ',';
        for (int i = 0; i < decimals; ++i) text += digitAt(r.pointPos + i);
    }
    return text;
}

std::string DecimalDigits::scientific(int significant) const
{
    DecimalDigits r = *this;
    r.roundToSignificant(significant);
    std::string mantissa = r.isZero() ? "0" : r.digits.substr(0, 1);
    if (significant > 1) {
        mantissa += ',';
        for (int i = 1; i < significant; ++i) {
            mantissa += i < static_cast<int>(r.digits.size()) ? r.digits[static_cast<std::size_t>(i)] : '0';
        }
    }
    const int exponent = r.isZero() ? 0 : r.pointPos - 1;
    return std::string(r.negative && !r.isZero() ? "-" : "") + mantissa + exponentText(exponent);
}

std::string DecimalDigits::general(int significant) const
{
    DecimalDigits r = *this;
    r.roundToSignificant(significant);
    if (r.isZero()) return "0";
    const std::string sign = r.negative ? "-" : "";
    const int exponent = r.pointPos - 1;
    if (r.pointPos > significant || exponent < -5) {
        std::string mantissa = r.digits.substr(0, 1);
        if (r.digits.size() > 1) mantissa += std::string(",") + r.digits.substr(1);
        return sign + mantissa + exponentText(exponent);
    }
    const int decimals = std::max(0, static_cast<int>(r.digits.size()) - r.pointPos);
    return sign + r.fixed(decimals, false).substr(r.negative ? 1 : 0);
}

}  // namespace quintara
