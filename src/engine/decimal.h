// Decimal: a number held exactly as the decimal it was written as, a whole
// count of units of 10^-scale. The numbers of the calculation table (index
// values "%15.9f", conversion divisors "%15.6f") and the rates typed by a
// person are taken as the decimals their texts show, so that every step on
// them can be computed exactly and rounded once.
#pragma once

#include <string>
#include <string_view>

#include "data/amount.h"

namespace quintara {

struct Decimal {
    using Units = __int128;
    // Every decimal kept has fewer than this many units, and a scale of at
    // most kMaxScale: products of two of them with an amount's count stay
    // within reach of the exact arithmetic's fast path.
    static constexpr int kMaxDigits = 36;
    static constexpr int kMaxScale = 30;

    Units units = 0;
    int scale = 0;

    static Decimal ofAmount(Amount a) { return {a.raw(), 4}; }
    static Decimal ofInteger(long long v) { return {v, 0}; }
    // From a number text with the decimal comma ("  1234,560000000",
    // "-0,5", "12", "1,5e3"); blanks around it are ignored. Throws
    // std::invalid_argument "'text' is not a valid floating point value" for
    // anything else, or for a number with more digits than are kept.
    static Decimal parse(std::string_view text);

    bool isZero() const { return units == 0; }
    bool isPositive() const { return units > 0; }
    // The nearest long double: for display in the memo and panel lines only.
    long double toLongDouble() const;
    // 10^scale as a whole number.
    Units unit() const;
};

// 10^n for 0 <= n <= 38.
Decimal::Units powerOfTen(int n);

}  // namespace quintara
