// Conversion of single DBF field values between their stored bytes and the
// text, number, date and logical forms the table interface and the dump use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace foxpro {

std::string_view trimRightBlanks(std::string_view s);
std::string_view trimBlanks(std::string_view s);

// Decimal text ("-12.5", " 3 ") rounded half away from zero to `decimals`
// and written in canonical form ("-12.50"); blank text gives zero. Returns
// false when the text is not a plain decimal number.
bool canonicalDecimal(std::string_view text, int decimals, std::string& out);

// Stored bytes of a numeric field (right-aligned, exactly `decimals`
// decimals) from decimal text or a number. Throws foxpro::Error naming the
// file and the field when the value is not a number or does not fit.
std::string encodeNumericField(std::string_view text, int length, int decimals, const std::string& file,
                               const std::string& field);
std::string encodeNumericField(double value, int length, int decimals, const std::string& file,
                               const std::string& field);

// Number held by stored numeric bytes; blank gives 0. False when not a number.
bool parseStoredNumber(std::string_view raw, double& out);

// "yyyymmdd" -> "dd/mm/yyyy"; blank -> "".
std::string dtosToDisplay(std::string_view dtos);
// "dd/mm/yyyy", "yyyymmdd", "" or the empty mask "  /  /    " -> stored
// "yyyymmdd" (8 blanks for the empty date). False for anything else,
// including impossible dates.
bool dateTextToStored(std::string_view text, std::string& stored);

// Memo references: ten ASCII digits (blank = none) or, in Visual FoxPro
// tables, a 4-byte little-endian number. False when the bytes are garbage.
bool parseMemoBlock(std::string_view raw, std::uint32_t& block);
std::string formatMemoBlock(std::uint32_t block, int width);

std::uint32_t readLe32(std::string_view b, std::size_t at);

}  // namespace foxpro
