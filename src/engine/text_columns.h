// Character-position helpers for the engine's fixed-width lines (sequence,
// calculation-table and memo lines). Text is UTF-8 in memory; positions and
// widths count characters, so "CONVERSÃO" is nine columns wide.
#pragma once

#include <string>
#include <string_view>

namespace quintara {

// The `count` characters from 1-based column `from` (fewer at the end).
std::string columns(std::string_view text, std::size_t from, std::size_t count);
// Everything from 1-based column `from` to the end.
std::string columnsFrom(std::string_view text, std::size_t from);
std::size_t columnCount(std::string_view text);

std::string trimRightBlanks(std::string_view text);
// Removes blanks and control characters at both ends, as the chain reader does.
std::string trimBlanks(std::string_view text);
bool isBlankText(std::string_view text);

// The chain separator rule: the first of "," ";" "+" "/" "|" that occurs at all
// decides (by this priority, not by position); the result is the number of
// characters before it, or -1 when none occurs.
int separatorPosition(std::string_view text);

}  // namespace quintara

namespace quintara {

// "%-10s": the text followed by blanks up to `width` characters; never cut.
std::string padRightTo(std::string_view text, std::size_t width);
// "%4s": blanks before the text up to `width` characters; never cut.
std::string padLeftTo(std::string_view text, std::size_t width);

}  // namespace quintara
