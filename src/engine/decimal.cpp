#include "engine/decimal.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace quintara {

namespace {

[[noreturn]] void notANumber(std::string_view text)
{
    throw std::invalid_argument("'" + std::string(text) + "' is not a valid floating point value");
}

bool isBlank(char c)
{
    return c == ' ' || (static_cast<unsigned char>(c) < 0x20);
}

std::string_view trimmed(std::string_view t)
{
    while (!t.empty() && isBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
    return t;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The exponent part after "e": an optional sign and up to four digits.
int exponentOf(std::string_view rest, std::string_view text)
{
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty() || rest.size() > 4) notANumber(text);
    int e = 0;
    for (char c : rest) {
        if (!isDigit(c)) notANumber(text);
        e = e * 10 + (c - '0');
    }
    return negative ? -e : e;
}

}  // namespace

Decimal::Units powerOfTen(int n)
{
    if (n < 0 || n > 38) throw std::out_of_range("power of ten out of range");
    Decimal::Units p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

Decimal::Units Decimal::unit() const
{
    return powerOfTen(scale);
}

Decimal Decimal::parse(std::string_view original)
{
    std::string_view t = trimmed(original);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    Units units = 0;
    int digits = 0;  // significant digits taken into units
    int scale = 0;
    bool any = false;
    bool comma = false;
    std::size_t i = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c == ',' && !comma) {
            comma = true;
            continue;
        }
        if (!isDigit(c)) break;
        any = true;
        if (units == 0 && c == '0') {
            if (comma) ++scale;
            continue;
        }
        if (++digits > kMaxDigits) notANumber(original);
        units = units * 10 + (c - '0');
        if (comma) ++scale;
    }
    if (!any) notANumber(original);
    int exponent = 0;
    if (i < t.size()) {
        if (t[i] != 'e' && t[i] != 'E') notANumber(original);
        exponent = exponentOf(t.substr(i + 1), original);
    }
    scale -= exponent;
    // Trailing zeros of the fraction carry no value: dropping them keeps
    // the scale small.
    while (scale > kMaxScale && units % 10 == 0 && units != 0) {
        units /= 10;
        --scale;
    }
    if (units == 0) scale = std::min(std::max(scale, 0), kMaxScale);
    if (scale > kMaxScale) notANumber(original);
    while (scale < 0) {
        if (++digits > kMaxDigits) notANumber(original);
        units *= 10;
        ++scale;
    }
    return {negative ? -units : units, scale};
}

long double Decimal::toLongDouble() const
{
    return static_cast<long double>(units) / std::pow(10.0L, static_cast<long double>(scale));
}

}  // namespace quintara
