// The reference data a new data directory starts with (currencies, index
// catalogue, correction forms, a court-costs example, the first user), kept
// as readable text files and written into the tables by quintara-cli init.
//
// Format of a seed file (UTF-8):
//   # comment                  ignored, as are blank lines between records
//   [DST_MOED]                 the table the following records go to
//   VGM_SIGLA: Cr$             one field: name, colon, value (blanks around
//                              the value are dropped; an empty value is allowed)
//     second line              a line that starts with two blanks continues
//                              the previous field's value on a new line
//   (blank line)               ends the record
// Values take the form the table shows them in: dates dd/mm/yyyy, numbers
// with a decimal point, logicals T or F.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/data_module.h"

namespace quintara {

struct SeedRecord {
    TableId table = TableId::Indices;
    int line = 0;  // line of the record's first field, for messages
    std::vector<std::pair<std::string, std::string>> fields;  // field name (upper case), value
};

// Parses one seed file. Throws std::runtime_error naming source and line for
// an unknown table or field, a field before any table, a field given twice
// in one record, or a line that is none of the forms above.
std::vector<SeedRecord> parseSeed(std::string_view text, const std::string& source);

// Appends the records to their tables, in order.
void writeSeed(DataModule& dm, const std::vector<SeedRecord>& records);

// Every "*.txt" file of the folder, in name order, parsed and then written;
// nothing is written when any file fails to parse. Returns the number of
// records written per table file name.
std::vector<std::pair<std::string, int>> loadSeedFolder(DataModule& dm, const std::string& seedFolder);

// Creates a data directory in folder: the twelve empty tables with their
// tags, the picture folder img/ and the help page html/Quintara.html with the
// given content. Fails, creating nothing, when a table already exists there.
void createDataDirectory(const std::string& folder, const std::string& helpPage);

}  // namespace quintara
