// Amount: the only way money is held. A signed 64-bit count of
// ten-thousandths; every operation is evaluated in long double and rounded
// once to the nearest ten-thousandth, exact halves to the even neighbour.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace quintara {

class Amount {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Amount() = default;

    // From a whole count of ten-thousandths (no rounding).
    static constexpr Amount fromRaw(std::int64_t tenThousandths)
    {
        Amount a;
        a.raw_ = tenThousandths;
        return a;
    }
    // From a floating-point value, rounded once (halves to even).
    // Throws std::overflow_error when the value does not fit, std::domain_error for NaN.
    static Amount fromDouble(long double value);
    // From text with the decimal comma ("1.234,56", "-0,5", "12"). Thousands dots
    // are allowed. Throws std::invalid_argument naming the text when it is not a number.
    static Amount parse(std::string_view text);
    // From machine text with a decimal point ("1234.5678", "-0.01"), as stored in
    // numeric table fields. Throws std::invalid_argument when it is not a number.
    static Amount parseMachine(std::string_view text);

    constexpr std::int64_t raw() const { return raw_; }
    long double toLongDouble() const { return static_cast<long double>(raw_) / kScale; }
    double toDouble() const { return static_cast<double>(toLongDouble()); }

    // "1234.5600", "-0.0100": four decimals, decimal point, no grouping.
    std::string toMachineText() const;
    // "1234,56" with the given decimals (0..4), decimal comma, no grouping,
    // rounded half away from zero on the exact decimal value.
    std::string toText(int decimals = 2) const;

    Amount operator-() const;
    Amount operator+(Amount other) const;
    Amount operator-(Amount other) const;
    Amount operator*(Amount other) const;
    Amount operator/(Amount other) const;  // throws std::domain_error on division by zero
    Amount operator*(long double factor) const;
    Amount operator/(long double divisor) const;
    Amount& operator+=(Amount other) { return *this = *this + other; }
    Amount& operator-=(Amount other) { return *this = *this - other; }

    constexpr auto operator<=>(const Amount&) const = default;
    constexpr bool isZero() const { return raw_ == 0; }

private:
    std::int64_t raw_ = 0;
};

// The amount truncated toward zero to two decimal places.
Amount TruncateToCents(Amount amount);

}  // namespace quintara
