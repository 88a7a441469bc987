// Text and number routines on UTF-8 text.
#include "data/text_routines.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "data/decimal_digits.h"
#include "foxpro/codepage.h"

namespace quintara {

namespace {

// Byte offset of the 0-based character index `chars` (the text's size when
// it has fewer characters).
std::size_t byteOffset(std::string_view text, std::size_t chars)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < chars && pos < text.size(); ++n) pos += foxpro::utf8CharBytes(text, pos);
    return pos;
}

std::size_t charCount(std::string_view text)
{
    return foxpro::utf8Length(text);
}

std::string zerosBefore(std::string_view text, int width)
{
    const std::size_t length = charCount(text);
    const std::size_t target = width > 0 ? static_cast<std::size_t>(width) : 0;
    return std::string(target > length ? target - length : 0, '0') + std::string(text);
}

}  // namespace

std::string MonthName(int month)
{
    static const std::array<const char*, 12> kNames = {"Janeiro",  "Fevereiro", "Marco",    "Abril",
                                                       "Maio",     "Junho",     "Julho",    "Agosto",
                                                       "Setembro", "Outubro",   "Novembro", "Dezembro"};
    if (month < 1 || month > 12)
        throw std::out_of_range("month " + std::to_string(month) + " does not exist");
    return kNames[static_cast<std::size_t>(month - 1)];
}

std::string PadRight(std::string_view text, std::string_view fill, int width)
{
    std::string out(text);
    for (auto length = static_cast<long>(charCount(text)); length < width; ++length) out += fill;
    return out;
}

std::string ZeroPadText(std::string_view text, int width)
{
    return zerosBefore(RemoveSpaces(text), width);
}

std::string ZeroPadNumber(long double value, int width, int decimals)
{
    const std::string written = DecimalDigits::of(value).fixed(std::max(0, decimals), false);
    // A minus sign stays in front: "-05", not "0-5".
    if (written.front() == '-')
        return std::string("-") + zerosBefore(std::string_view(written).substr(1), width - 1);
    return zerosBefore(written, width);
}

std::string RemoveSpaces(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c != ' ') out += c;
    }
    return out;
}

std::string TrimRight(std::string_view text)
{
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::size_t TextLength(std::string_view text)
{
    return charCount(text);
}

std::string SubText(std::string_view text, int from, int count)
{
    if (from < 1) from = 1;
    if (count <= 0) return std::string();
    const std::size_t begin = byteOffset(text, static_cast<std::size_t>(from - 1));
    const std::string_view rest = text.substr(begin);
    return std::string(rest.substr(0, byteOffset(rest, static_cast<std::size_t>(count))));
}

int FindText(std::string_view sub, std::string_view text)
{
    if (sub.empty()) return 0;
    const std::size_t at = text.find(sub);
    if (at == std::string_view::npos) return 0;
    return static_cast<int>(charCount(text.substr(0, at))) + 1;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty()) return std::string(text);
    std::string out;
    std::size_t pos = 0;
    for (std::size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, pos)) {
        out.append(text.substr(pos, at - pos));
        out.append(to);
        pos = at + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

int FirstSeparatorPos(std::string_view text)
{
    for (std::string_view separator : {",", ";", "+", "/", "|"}) {
        const int position = FindText(separator, text);
        if (position > 0) return position - 1;
    }
    return -1;
}

bool IsOdd(std::int64_t n)
{
    return n % 2 != 0;
}

}  // namespace quintara
