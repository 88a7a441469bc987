#include "foxpro/cdx_key.h"

#include <bit>
#include <cstdio>

namespace foxpro {

namespace {

constexpr std::uint64_t kSignBit = 0x8000000000000000ULL;

}  // namespace

std::string encodeNumericKey(double value)
{
    if (value == 0.0) value = 0.0;  // -0.0 and 0.0 are the same key
    auto bits = std::bit_cast<std::uint64_t>(value);
    bits = (bits & kSignBit) ? ~bits : (bits ^ kSignBit);
    std::string key(8, '\0');
    for (int i = 7; i >= 0; --i) {
        key[i] = static_cast<char>(bits & 0xFF);
        bits >>= 8;
    }
    return key;
}

double decodeNumericKey(std::string_view key)
{
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8 && i < key.size(); ++i)
        bits = (bits << 8) | static_cast<unsigned char>(key[i]);
    bits = (bits & kSignBit) ? (bits ^ kSignBit) : ~bits;
    return std::bit_cast<double>(bits);
}

std::string encodeDateKey(std::int32_t julian)
{
    return encodeNumericKey(static_cast<double>(julian));
}

std::int32_t decodeDateKey(std::string_view key)
{
    double d = decodeNumericKey(key);
    if (!(d >= 0.0 && d < 1e8)) return 0;
    return static_cast<std::int32_t>(d);
}

std::int32_t julianDay(int year, int month, int day)
{
    int a = (14 - month) / 12;
    long y = year + 4800L - a;
    long m = month + 12L * a - 3;
    return static_cast<std::int32_t>(day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045);
}

std::int32_t julianFromDtos(std::string_view text)
{
    if (text.find_first_not_of(' ') == std::string_view::npos) return 0;
    if (text.size() != 8) return -1;
    int parts[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    std::size_t pos = 0;
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < widths[p]; ++i, ++pos) {
            char c = text[pos];
            if (c < '0' || c > '9') return -1;
            parts[p] = parts[p] * 10 + (c - '0');
        }
    }
    int year = parts[0], month = parts[1], day = parts[2];
    if (year < 1 || month < 1 || month > 12 || day < 1) return -1;
    static const int monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int last = monthDays[month - 1] + (month == 2 && leap ? 1 : 0);
    if (day > last) return -1;
    return julianDay(year, month, day);
}

std::string dtosFromJulian(std::int32_t julian)
{
    if (julian <= 0) return {};
    long a = julian + 32044L;
    long b = (4 * a + 3) / 146097;
    long c = a - 146097 * b / 4;
    long d = (4 * c + 3) / 1461;
    long e = c - 1461 * d / 4;
    long m = (5 * e + 2) / 153;
    long day = e - (153 * m + 2) / 5 + 1;
    long month = m + 3 - 12 * (m / 10);
    long year = 100 * b + d - 4800 + m / 10;
    if (year < 1 || year > 9999) return {};
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04ld%02ld%02ld", year, month, day);
    return buf;
}

}  // namespace foxpro
