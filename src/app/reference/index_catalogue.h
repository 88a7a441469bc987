// The record work behind the indices window: the values of one index, the
// correction forms whose chains name it, the deletion of an index with all
// its values, and the reading of a typed index value. No widgets here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/data_module.h"

namespace quintara {

// One stored value of an index, with the record it came from.
struct IndexValueRecord {
    std::uint32_t recNo = 0;
    Date date;
    double value = 0.0;
    std::string shown;  // the value as the list shows it (nine decimals, grouped)
};

// The values of the index in date order, found by seeking its code on tag
// "coddata" (never by pasting the code into an expression). Leaves the value
// table on that tag, filtered to the code when the code can be written as a
// filter literal.
std::vector<IndexValueRecord> valuesOfIndex(DataModule& dm, const std::string& code);

// A literal for a filter expression holding text, with a delimiter the text
// lacks; nothing when the text holds every delimiter.
std::optional<std::string> filterLiteral(const std::string& text);

// Codes of the correction forms whose chain names the index as a whole code,
// in form-code order.
std::vector<std::string> formsUsingIndex(DataModule& dm, const std::string& code);

// Whether DST_LCM1 holds any value of the index.
bool indexHasValues(DataModule& dm, const std::string& code);

// Deletes every value of the index (ApagaIndices). Returns how many.
int deleteIndexValues(DataModule& dm, const std::string& code);

// Reads a typed index value in Brazilian form ("12,5", "1.234,567891234",
// "-0,21") as the decimal-point text LCM_VALOR stores ("1234.567891234").
// Throws std::invalid_argument with the person's message when it is not a number.
std::string indexValueText(const std::string& typed);

}  // namespace quintara
