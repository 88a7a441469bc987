#include "engine/text_columns.h"

#include "foxpro/codepage.h"

namespace quintara {

namespace {

bool isAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Byte offset of the 0-based character index `chars` (text size when beyond).
std::size_t byteOffset(std::string_view text, std::size_t chars)
{
    // Engine lines are mostly plain ASCII: one byte per column.
    if (isAscii(text.substr(0, chars))) return chars < text.size() ? chars : text.size();
    std::size_t pos = 0;
    while (chars > 0 && pos < text.size()) {
        pos += foxpro::utf8CharBytes(text, pos);
        --chars;
    }
    return pos < text.size() ? pos : text.size();
}

bool isTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string columns(std::string_view text, std::size_t from, std::size_t count)
{
    if (from < 1) from = 1;
    std::size_t begin = byteOffset(text, from - 1);
    std::string_view rest = text.substr(begin);
    return std::string(rest.substr(0, byteOffset(rest, count)));
}

std::string columnsFrom(std::string_view text, std::size_t from)
{
    if (from < 1) from = 1;
    return std::string(text.substr(byteOffset(text, from - 1)));
}

std::size_t columnCount(std::string_view text)
{
    return foxpro::utf8Length(text);
}

std::string trimRightBlanks(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    return std::string(text.substr(0, end));
}

std::string trimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isTrimmed(text[begin])) ++begin;
    while (end > begin && isTrimmed(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

bool isBlankText(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

int separatorPosition(std::string_view text)
{
    for (char separator : {',', ';', '+', '/', '|'}) {
        std::size_t pos = text.find(separator);
        if (pos != std::string_view::npos) return static_cast<int>(columnCount(text.substr(0, pos)));
    }
    return -1;
}

}  // namespace quintara

namespace quintara {

std::string padRightTo(std::string_view text, std::size_t width)
{
    std::size_t length = columnCount(text);
    std::string result(text);
    if (length < width) result.append(width - length, ' ');
    return result;
}

std::string padLeftTo(std::string_view text, std::size_t width)
{
    std::size_t length = columnCount(text);
    std::string result = length < width ? std::string(width - length, ' ') : std::string();
    return result.append(text);
}

}  // namespace quintara
