// DecimalDigits: the exact decimal expansion of a number, with rounding half
// away from zero and the fixed and scientific text forms formatText prints.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/amount.h"

namespace quintara {

struct DecimalDigits {
    bool negative = false;
    // Significant digits without leading or trailing zeros; empty for zero.
    std::string digits;
    // Digits before the decimal point: the value is 0.<digits> × 10^pointPos.
    int pointPos = 0;

    static DecimalDigits of(std::int64_t value);
    static DecimalDigits of(Amount value);
    // The exact value of the binary number. Throws std::invalid_argument for
    // infinities and NaN.
    static DecimalDigits of(long double value);
    // The value rounded half away from zero (on its exact value) to
    // `decimals` places, without writing out the whole expansion.
    static DecimalDigits ofRounded(long double value, int decimals);

    bool isZero() const { return digits.empty(); }
    // Rounds half away from zero to `decimals` places after the point.
    void roundToDecimals(int decimals);
    // Rounds half away from zero to `count` significant digits.
    void roundToSignificant(int count);

    // "-1.234,50": `decimals` places, decimal comma, thousands dots when
    // grouped. Rounds first. A value that rounds to zero has no minus sign.
    std::string fixed(int decimals, bool grouped) const;
    // "1,23450000000000E+003": `significant` digits, exponent with sign and
    // at least three digits.
    std::string scientific(int significant) const;
    // The shortest general form with at most `significant` digits: fixed when
    // the value is at least 0,00001 and has no more integer digits than that,
    // scientific otherwise; trailing zeros dropped.
    std::string general(int significant) const;

    // |value| × 10^decimals rounded half away from zero, when a quick scaled
    // product decides it for certain; nothing near a half or beyond 2^62.
    static std::optional<std::uint64_t> scaledMagnitude(long double value, int decimals);
    // The fixed text ("-1.234,50") of a magnitude given in units of the last
    // place, as fixed() writes it.
    static std::string fixedFromScaled(bool negative, std::uint64_t scaled, int decimals, bool grouped);

private:
    static DecimalDigits printed(long double value, int decimals);
    static std::optional<DecimalDigits> roundedByScaling(long double value, int decimals);
    void roundAt(int keep);
    void normalise();
};

}  // namespace quintara
