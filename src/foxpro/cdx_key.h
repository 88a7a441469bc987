// Index key encodings: how numbers and dates become 8 bytes that sort in
// byte order (FoxPro's form), and the Julian day numbers dates are kept as.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace foxpro {

// IEEE-754 double, big-endian, sign bit flipped for positive values and every
// bit inverted for negative ones, so unsigned byte order is numeric order.
std::string encodeNumericKey(double value);
double decodeNumericKey(std::string_view key);  // key must be 8 bytes

// Date keys are the Julian day number as a numeric key; the empty date is 0.
std::string encodeDateKey(std::int32_t julian);
std::int32_t decodeDateKey(std::string_view key);

// Julian day number of a proleptic Gregorian date (2000-01-01 = 2451545).
std::int32_t julianDay(int year, int month, int day);
// "yyyymmdd" -> Julian day; blank or empty text -> 0. Returns -1 when the
// text is not a valid date.
std::int32_t julianFromDtos(std::string_view yyyymmdd);
// Julian day -> "yyyymmdd"; 0 -> "" (the empty date).
std::string dtosFromJulian(std::int32_t julian);

}  // namespace foxpro
