// Windows-1252 <-> UTF-8 conversion at the file boundary: table files hold
// Windows-1252 bytes, the program holds UTF-8 text in memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace foxpro {

// Every byte maps to a character; the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 etc. so that they round-trip.
std::string toUtf8(std::string_view cp1252);

// Characters with no Windows-1252 form, and bytes that are not valid UTF-8,
// become '?'; when that happens and lossy is given, *lossy is set to true
// (it is never reset to false).
std::string toCp1252(std::string_view utf8, bool* lossy = nullptr);

// Number of characters (not bytes) in UTF-8 text. A byte that does not start
// a valid sequence counts as one character.
std::size_t utf8Length(std::string_view utf8);

// The first `chars` characters of UTF-8 text (all of it when shorter).
std::string utf8Left(std::string_view utf8, std::size_t chars);

// Byte length of the UTF-8 character starting at text[pos] (1 for an invalid
// byte, so that walking text always advances).
std::size_t utf8CharBytes(std::string_view utf8, std::size_t pos);

}  // namespace foxpro
