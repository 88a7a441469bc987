// formatText: "%[-][width][.precision]type" patterns with the decimal comma.
#include "data/format_text.h"

#include <cctype>
#include <optional>
#include <stdexcept>

#include "data/decimal_digits.h"
#include "foxpro/codepage.h"

namespace quintara {

namespace {

struct Spec {
    bool leftJustify = false;
    std::size_t width = 0;
    std::optional<int> precision;
    char type = 0;
};

[[noreturn]] void badPattern(std::string_view pattern, const std::string& why)
{
    throw std::invalid_argument("format \"" + std::string(pattern) + "\": " + why);
}

std::size_t readNumber(std::string_view pattern, std::size_t& pos)
{
    std::size_t value = 0;
    while (pos < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[pos]))) {
        value = value * 10 + static_cast<std::size_t>(pattern[pos++] - '0');
        if (value > 10000) badPattern(pattern, "width or precision too large");
    }
    return value;
}

// Reads the specifier after a '%' at pattern[pos]; leaves pos after its type letter.
Spec readSpec(std::string_view pattern, std::size_t& pos)
{
    Spec spec;
    if (pos < pattern.size() && pattern[pos] == '-') {
        spec.leftJustify = true;
        ++pos;
    }
    spec.width = readNumber(pattern, pos);
    if (pos < pattern.size() && pattern[pos] == '.') {
        ++pos;
        spec.precision = static_cast<int>(readNumber(pattern, pos));
    }
    if (pos >= pattern.size()) badPattern(pattern, "specifier without a type letter");
    spec.type = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[pos++])));
    if (std::string_view("dsfnge").find(spec.type) == std::string_view::npos) {
        badPattern(pattern, std::string("unknown type letter '") + pattern[pos - 1] + "'");
    }
    return spec;
}

DecimalDigits numberDigits(std::string_view pattern, const FormatArg& arg, char type)
{
    const auto& v = arg.value();
    if (const auto* i = std::get_if<std::int64_t>(&v)) return DecimalDigits::of(*i);
    if (const auto* d = std::get_if<long double>(&v)) return DecimalDigits::of(*d);
    if (const auto* a = std::get_if<Amount>(&v)) return DecimalDigits::of(*a);
    badPattern(pattern, std::string("%") + type + " needs a number, got a text");
}

std::string integerText(std::string_view pattern, const FormatArg& arg, const Spec& spec)
{
    const auto* i = std::get_if<std::int64_t>(&arg.value());
    if (!i) badPattern(pattern, "%d needs an integer");
    const bool negative = *i < 0;
    std::string digits = std::to_string(negative ? 0 - static_cast<std::uint64_t>(*i) : *i);
    // The precision of %d is the least number of digits, filled with zeros.
    const auto minimum = static_cast<std::size_t>(spec.precision.value_or(0));
    if (digits.size() < minimum) digits.insert(0, minimum - digits.size(), '0');
    return std::string(negative ? "-" : "") + digits;
}

std::string convert(std::string_view pattern, const FormatArg& arg, const Spec& spec)
{
    switch (spec.type) {
        case 'd':
            return integerText(pattern, arg, spec);
        case 's': {
            const auto* s = std::get_if<std::string>(&arg.value());
            if (!s) badPattern(pattern, "%s needs a text, got a number");
            return spec.precision ? foxpro::utf8Left(*s, static_cast<std::size_t>(*spec.precision)) : *s;
        }
        case 'f':
            return numberDigits(pattern, arg, 'f').fixed(spec.precision.value_or(2), false);
        case 'n':
            return numberDigits(pattern, arg, 'n').fixed(spec.precision.value_or(2), true);
        case 'e':
            return numberDigits(pattern, arg, 'e').scientific(std::max(1, spec.precision.value_or(15)));
        default:
            return numberDigits(pattern, arg, 'g').general(std::max(1, spec.precision.value_or(15)));
    }
}

void appendPadded(std::string& out, const std::string& text, const Spec& spec)
{
    const std::size_t length = foxpro::utf8Length(text);
    const std::size_t fill = spec.width > length ? spec.width - length : 0;
    if (!spec.leftJustify) out.append(fill, ' ');
    out += text;
    if (spec.leftJustify) out.append(fill, ' ');
}

}  // namespace

std::string formatText(std::string_view pattern, std::initializer_list<FormatArg> args)
{
    std::string out;
    auto next = args.begin();
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char c = pattern[pos++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (pos < pattern.size() && pattern[pos] == '%') {
            out += '%';
            ++pos;
            continue;
        }
        const Spec spec = readSpec(pattern, pos);
        if (next == args.end()) badPattern(pattern, "more specifiers than arguments");
        appendPadded(out, convert(pattern, *next++, spec), spec);
    }
    return out;
}

}  // namespace quintara
