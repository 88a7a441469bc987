// Windows-1252 <-> UTF-8 conversion.
#include "foxpro/codepage.h"

#include <array>
#include <cstdint>

namespace foxpro {

namespace {

// Code points of bytes 0x80..0x9F; the undefined ones map to their C1 control
// code point so that the conversion is reversible.
constexpr std::array<char32_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes the character at pos; returns its byte length (0 when the bytes
// there are not a valid, shortest-form UTF-8 sequence).
std::size_t decode(std::string_view s, std::size_t pos, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > s.size()) return 0;
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

int toCp1252Byte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
    }
    return -1;
}

}  // namespace

std::string toUtf8(std::string_view cp1252)
{
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 8);
    for (char c : cp1252) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else if (b < 0xA0) {
            appendUtf8(out, kHigh[b - 0x80]);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

std::string toCp1252(std::string_view utf8, bool* lossy)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0;
        std::size_t len = decode(utf8, pos, cp);
        int byte = len == 0 ? -1 : toCp1252Byte(cp);
        if (byte < 0) {
            out += '?';
            if (lossy) *lossy = true;
        } else {
            out += static_cast<char>(byte);
        }
        pos += len == 0 ? 1 : len;
    }
    return out;
}

std::size_t utf8CharBytes(std::string_view utf8, std::size_t pos)
{
    char32_t cp = 0;
    std::size_t len = decode(utf8, pos, cp);
    return len == 0 ? 1 : len;
}

std::size_t utf8Length(std::string_view utf8)
{
    std::size_t ascii = 0;
    while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) ++ascii;
    if (ascii == utf8.size()) return ascii;  // plain ASCII: one byte per character
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); pos += utf8CharBytes(utf8, pos)) ++count;
    return count;
}

std::string utf8Left(std::string_view utf8, std::size_t chars)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < chars && pos < utf8.size(); ++n) pos += utf8CharBytes(utf8, pos);
    return std::string(utf8.substr(0, pos));
}

}  // namespace foxpro
