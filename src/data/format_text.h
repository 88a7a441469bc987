// formatText: the formatting routine behind every "%..." pattern of the
// program's texts. Specifiers are %[-][width][.precision]type with types
// d s f n g e; "-" left-justifies; there is no zero-pad flag (a width written
// "09" is width 9); precision cuts "s"; "n" groups thousands; "g" is the
// shortest general form (15 significant digits by default). Decimal comma,
// thousands dot. Widths and precisions count characters, not bytes.
// A value shown with fewer decimals than it has is rounded half away from
// zero on its exact decimal value. "%%" is a literal percent sign.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "data/amount.h"

namespace quintara {

class FormatArg {
public:
    FormatArg(int v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(long v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(long long v) : value_(static_cast<std::int64_t>(v)) {}
    // Unsigned counts (sizes, positions); throws std::overflow_error beyond the int64 range.
    FormatArg(unsigned v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned long v) : value_(checkedInt(v)) {}
    FormatArg(unsigned long long v) : value_(checkedInt(v)) {}
    FormatArg(double v) : value_(static_cast<long double>(v)) {}
    FormatArg(long double v) : value_(v) {}
    FormatArg(Amount v) : value_(v) {}
    FormatArg(const char* v) : value_(std::string(v)) {}
    FormatArg(std::string v) : value_(std::move(v)) {}
    FormatArg(std::string_view v) : value_(std::string(v)) {}

    using Value = std::variant<std::int64_t, long double, Amount, std::string>;
    const Value& value() const { return value_; }

private:
    static std::int64_t checkedInt(unsigned long long v)
    {
        if (v > static_cast<unsigned long long>(INT64_MAX))
            throw std::overflow_error("number too large to format");
        return static_cast<std::int64_t>(v);
    }

    Value value_;
};

// Throws std::invalid_argument for a malformed pattern, a missing argument or
// an argument of the wrong kind for its type letter.
std::string formatText(std::string_view pattern, std::initializer_list<FormatArg> args);

}  // namespace quintara
