// formatText: "%[-][width][.precision]type" patterns with the decimal comma.
#include "data/format_text.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <stdexcept>

#include "data/decimal_digits.h"
#include "foxpro/codepage.h"

namespace quintara {

namespace {

struct Directive {
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
Directive readDirective(std::string_view pattern, std::size_t& pos)
{
    Directive directive;
    if (pos < pattern.size() && pattern[pos] == '-') {
        directive.leftJustify = true;
        ++pos;
    }
    directive.width = readNumber(pattern, pos);
    if (pos < pattern.size() && pattern[pos] == '.') {
        ++pos;
        directive.precision = static_cast<int>(readNumber(pattern, pos));
    }
    if (pos >= pattern.size()) badPattern(pattern, "specifier without a type letter");
    directive.type = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[pos++])));
    if (std::string_view("dsfnge").find(directive.type) == std::string_view::npos) {
        badPattern(pattern, std::string("unknown type letter '") + pattern[pos - 1] + "'");
    }
    return directive;
}

// The argument's digits; `decimals`, when given, is the only rounding the
// caller will apply, so a binary number need not be written out in full.
DecimalDigits numberDigits(std::string_view pattern, const FormatArg& arg, char type, int decimals = -1)
{
    const auto& v = arg.value();
    if (const auto* i = std::get_if<std::int64_t>(&v)) return DecimalDigits::of(*i);
    if (const auto* d = std::get_if<long double>(&v))
        return decimals >= 0 ? DecimalDigits::ofRounded(*d, decimals) : DecimalDigits::of(*d);
    if (const auto* a = std::get_if<Amount>(&v)) return DecimalDigits::of(*a);
    badPattern(pattern, std::string("%") + type + " needs a number, got a text");
}

// The fixed text of an amount or a binary number straight from its value in
// units of the last place shown, without building its digits first; nothing
// when that value is not certain (see DecimalDigits::scaledMagnitude).
std::optional<std::string> quickFixed(const FormatArg& arg, int decimals, bool grouped)
{
    const auto& v = arg.value();
    if (const auto* d = std::get_if<long double>(&v)) {
        const std::optional<std::uint64_t> scaled = DecimalDigits::scaledMagnitude(*d, decimals);
        if (!scaled) return std::nullopt;
        return DecimalDigits::fixedFromScaled(*d < 0, *scaled, decimals, grouped);
    }
    if (const auto* a = std::get_if<Amount>(&v)) {
        if (decimals > 4) return std::nullopt;
        const std::int64_t raw = a->raw();
        const std::uint64_t magnitude =
            raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
        std::uint64_t unit = 1;
        for (int i = decimals; i < 4; ++i) unit *= 10;
        const std::uint64_t remainder = magnitude % unit;
        const std::uint64_t scaled = magnitude / unit + (remainder >= unit - remainder ? 1 : 0);
        return DecimalDigits::fixedFromScaled(raw < 0, scaled, decimals, grouped);
    }
    return std::nullopt;
}

std::string integerText(std::string_view pattern, const FormatArg& arg, const Directive& directive)
{
    const auto* i = std::get_if<std::int64_t>(&arg.value());
    if (!i) badPattern(pattern, "%d needs an integer");
    const bool negative = *i < 0;
    std::string digits = std::to_string(negative ? 0 - static_cast<std::uint64_t>(*i) : *i);
    // The precision of %d is the least number of digits, filled with zeros.
    const auto minimum = static_cast<std::size_t>(directive.precision.value_or(0));
    if (digits.size() < minimum) digits.insert(0, minimum - digits.size(), '0');
    return std::string(negative ? "-" : "") + digits;
}

std::string convert(std::string_view pattern, const FormatArg& arg, const Directive& directive)
{
    switch (directive.type) {
        case 'd':
            return integerText(pattern, arg, directive);
        case 's': {
            const auto* s = std::get_if<std::string>(&arg.value());
            if (!s) badPattern(pattern, "%s needs a text, got a number");
            return directive.precision ? foxpro::utf8Left(*s, static_cast<std::size_t>(*directive.precision))
                                       : *s;
        }
        case 'f':
        case 'n': {
            const int decimals = directive.precision.value_or(2);
            if (std::optional<std::string> text = quickFixed(arg, decimals, directive.type == 'n'))
                return *text;
            return numberDigits(pattern, arg, directive.type, decimals)
                .fixed(decimals, directive.type == 'n');
        }
        case 'e':
            return numberDigits(pattern, arg, 'e').scientific(std::max(1, directive.precision.value_or(15)));
        default:
            return numberDigits(pattern, arg, 'g').general(std::max(1, directive.precision.value_or(15)));
    }
}

void appendPadded(std::string& out, const std::string& text, const Directive& directive)
{
    const std::size_t length = foxpro::utf8Length(text);
    const std::size_t fill = directive.width > length ? directive.width - length : 0;
    if (!directive.leftJustify) out.append(fill, ' ');
    out += text;
    if (directive.leftJustify) out.append(fill, ' ');
}

}  // namespace

std::string formatText(std::string_view pattern, std::initializer_list<FormatArg> args)
{
    std::string out;
    out.reserve(pattern.size() + 64);
    auto next = args.begin();
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        if (pattern[pos] != '%') {
            const std::size_t percent = std::min(pattern.find('%', pos), pattern.size());
            out.append(pattern.substr(pos, percent - pos));
            pos = percent;
            continue;
        }
        ++pos;
        if (pos < pattern.size() && pattern[pos] == '%') {
            out += '%';
            ++pos;
            continue;
        }
        const Directive directive = readDirective(pattern, pos);
        if (next == args.end()) badPattern(pattern, "more specifiers than arguments");
        appendPadded(out, convert(pattern, *next++, directive), directive);
    }
    return out;
}

}  // namespace quintara
