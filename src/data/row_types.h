// Rows that the data module's queries hand to the layers above, kept apart
// from the data module itself so that a reader of rows need not include the
// module and the table engine behind it.
#pragma once

#include <string>

#include "data/date.h"

namespace quintara {

// One row of the value query: the values of one index between two dates.
struct IndexValueRow {
    std::string code;    // LCM_COD
    Date date;           // LCM_DATA
    double value = 0.0;  // LCM_VALOR
};

}  // namespace quintara
