#include "foxpro/field_codec.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "foxpro/cdx_key.h"
#include "foxpro/error.h"

namespace foxpro {

namespace {

bool allDigits(std::string_view s)
{
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Adds one unit in the last place of a digit string; returns the carry.
bool incrementDigits(std::string& digits)
{
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

}  // namespace

std::string_view trimRightBlanks(std::string_view s)
{
    const auto end = s.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1);
}

std::string_view trimBlanks(std::string_view s)
{
    s = trimRightBlanks(s);
    const auto start = s.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view() : s.substr(start);
}

bool canonicalDecimal(std::string_view text, int decimals, std::string& out)
{
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const auto dot = text.find('.');
    std::string intPart(text.substr(0, dot));
    std::string frac(dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1));
    if (!allDigits(intPart) || !allDigits(frac)) return false;
    if (intPart.empty() && frac.empty() && (negative || dot != std::string_view::npos)) return false;
    const bool roundUp =
        static_cast<int>(frac.size()) > decimals && frac[static_cast<std::size_t>(decimals)] >= '5';
    frac.resize(static_cast<std::size_t>(decimals), '0');
    if (roundUp && incrementDigits(frac)) {
        if (intPart.empty()) intPart.push_back('0');
        if (incrementDigits(intPart)) intPart.insert(intPart.begin(), '1');
    }
    const auto firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);
    const bool zero = intPart == "0" && frac.find_first_not_of('0') == std::string::npos;
    out = (negative && !zero ? "-" : "") + intPart + (decimals > 0 ? "." + frac : "");
    return true;
}

std::string encodeNumericField(std::string_view text, int length, int decimals, const std::string& file,
                               const std::string& field)
{
    std::string canonical;
    if (!canonicalDecimal(text, decimals, canonical))
        throw Error(file, "\"" + std::string(text) + "\" is not a number (field " + field + ")");
    if (static_cast<int>(canonical.size()) > length)
        throw Error(file, "the value " + canonical + " does not fit in field " + field + " (width " +
                              std::to_string(length) + ", " + std::to_string(decimals) + " decimals)");
    return std::string(static_cast<std::size_t>(length) - canonical.size(), ' ') + canonical;
}

std::string encodeNumericField(double value, int length, int decimals, const std::string& file,
                               const std::string& field)
{
    if (!std::isfinite(value))
        throw Error(file, "field " + field + " cannot hold an infinite or undefined number");
    if (std::fabs(value) >= 1e21)
        throw Error(file,
                    "the value does not fit in field " + field + " (width " + std::to_string(length) + ")");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return encodeNumericField(std::string_view(buf), length, decimals, file, field);
}

bool parseStoredNumber(std::string_view raw, double& out)
{
    raw = trimBlanks(raw);
    if (raw.empty()) {
        out = 0.0;
        return true;
    }
    // The usual stored form, [-]digits[.digits], is read in place.
    const bool negative = raw[0] == '-';
    const std::string_view digits = negative ? raw.substr(1) : raw;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::fixed);
    if (ec == std::errc() && end == digits.data() + digits.size() && !digits.empty() &&
        (std::isdigit(static_cast<unsigned char>(digits[0])) || digits[0] == '.')) {
        out = negative ? -value : value;
        return true;
    }
    std::string canonical;
    if (!canonicalDecimal(raw, 20, canonical)) return false;
    out = std::strtod(std::string(raw).c_str(), nullptr);
    return true;
}

std::string dtosToDisplay(std::string_view dtos)
{
    if (trimBlanks(dtos).empty() || dtos.size() != 8) return "";
    return std::string(dtos.substr(6, 2)) + "/" + std::string(dtos.substr(4, 2)) + "/" +
           std::string(dtos.substr(0, 4));
}

bool dateTextToStored(std::string_view text, std::string& stored)
{
    std::string dtos;
    if (text.size() == 10 && text[2] == '/' && text[5] == '/') {
        if (text == "  /  /    ") {
            stored.assign(8, ' ');
            return true;
        }
        dtos =
            std::string(text.substr(6, 4)) + std::string(text.substr(3, 2)) + std::string(text.substr(0, 2));
    } else {
        dtos = std::string(trimBlanks(text));
    }
    if (dtos.empty()) {
        stored.assign(8, ' ');
        return true;
    }
    if (dtos.size() != 8 || julianFromDtos(dtos) <= 0) return false;
    stored = dtos;
    return true;
}

bool parseMemoBlock(std::string_view raw, std::uint32_t& block)
{
    if (raw.size() == 4) {
        block = readLe32(raw, 0);
        return true;
    }
    const std::string_view digits = trimBlanks(raw);
    if (!allDigits(digits) || digits.size() > 10) return false;
    const unsigned long long value =
        digits.empty() ? 0 : std::strtoull(std::string(digits).c_str(), nullptr, 10);
    if (value > 0xFFFFFFFFull) return false;
    block = static_cast<std::uint32_t>(value);
    return true;
}

std::string formatMemoBlock(std::uint32_t block, int width)
{
    if (block == 0) return std::string(static_cast<std::size_t>(width), ' ');
    std::string digits = std::to_string(block);
    return std::string(static_cast<std::size_t>(width) - digits.size(), ' ') + digits;
}

std::uint32_t readLe32(std::string_view b, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

}  // namespace foxpro
