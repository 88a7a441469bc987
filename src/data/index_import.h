// Import of index values from the central bank's time-series export: CSV
// ("data;valor" header, dd/mm/yyyy, decimal comma, quotes optional) or JSON
// ([{"data":"dd/mm/yyyy","valor":"0,21"}]). The whole file is checked before
// anything is written, so a bad line leaves the table untouched.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_module.h"
#include "data/date.h"

namespace quintara {

struct ImportedValue {
    Date date;
    std::string value;  // decimal point, as LCM_VALOR stores it: "-0.21"
    int line = 0;       // line of the file it came from
};

// A file that cannot be imported; line is 0 when no line is to blame.
class ImportError : public std::runtime_error {
public:
    ImportError(int line, const std::string& message)
        : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + message : message),
          line_(line)
    {
    }
    int line() const { return line_; }

private:
    int line_;
};

// Parses and checks the whole file: at least one value, every date a real
// dd/mm/yyyy date given once, every value a number that fits LCM_VALOR (at
// most 10 integer positions with the sign, at most 9 decimals). In CSV the
// decimal separator is the comma, so "1.234" is refused as ambiguous; JSON
// may also write a decimal point. Throws ImportError.
std::vector<ImportedValue> parseIndexValues(std::string_view text);

struct ImportCounts {
    int added = 0;
    int updated = 0;
    int unchanged = 0;
};

// Writes the values of one registered index into DST_LCM1: new dates are
// appended, changed values updated, equal ones left alone. One bulk change
// (foxpro::BulkWrite): concurrent imports never store a date twice, and a
// failure of any kind (also foxpro::Error) leaves nothing stored. Throws
// ImportError, writing nothing, when the code is not registered or a date
// of a monthly index is not the first of its month.
// `progress`, when given, is told how many values are done every so often,
// for a window's progress bar.
ImportCounts importIndexValues(DataModule& dm, const std::string& code,
                               const std::vector<ImportedValue>& values,
                               const std::function<void(std::size_t done)>& progress = {});

}  // namespace quintara
