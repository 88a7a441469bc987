// Stateless text and number routines shared by the windows and the engine:
// month names, padding, trimming, character-based searching and cutting, the
// separator rule of index chains, and the odd-number test. Positions and
// lengths count characters of UTF-8 text, not bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quintara {

// "Janeiro" ... "Dezembro" ("Marco" without the cedilla). Throws
// std::out_of_range for a month outside 1..12.
std::string MonthName(int month);

// `text` followed by `fill` repeated (width - length of text) times.
std::string PadRight(std::string_view text, std::string_view fill, int width);
// `text` without any space, preceded by "0"s up to `width` characters.
std::string ZeroPadText(std::string_view text, int width);
// `value` with `decimals` places (decimal comma), preceded by "0"s up to
// `width` characters; never cut. The zeros of a negative value go after its
// minus sign ("-05").
std::string ZeroPadNumber(long double value, int width, int decimals = 0);

std::string RemoveSpaces(std::string_view text);
std::string TrimRight(std::string_view text);
bool IsBlank(std::string_view text);

std::size_t TextLength(std::string_view text);
// The `count` characters from 1-based position `from` (fewer at the end of
// the text; a position below 1 counts from the first character).
std::string SubText(std::string_view text, int from, int count);
// 1-based position of the first occurrence of `sub` in `text`; 0 when absent
// or when `sub` is empty.
int FindText(std::string_view sub, std::string_view text);
// Every occurrence of `from` replaced by `to`, case-sensitive; an empty
// `from` leaves the text unchanged.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// The number of characters before the first separator of an index chain.
// The separators are tried in the fixed priority "," ";" "+" "/" "|", not by
// position: the first of them that occurs at all decides. -1 when none does.
int FirstSeparatorPos(std::string_view text);

bool IsOdd(std::int64_t n);

}  // namespace quintara
