// The page header and footer shared by the reference-table reports (indices,
// index values, currencies): product name, print stamp, framed title, column
// titles on a grey strip; the page number at the foot.
#pragma once

#include <string>
#include <vector>

#include "reports/columns.h"
#include "reports/report.h"

namespace quintara::reports {

// stamp empty = the current date and time.
Band referencePageHeader(double width, const std::string& title, const std::string& stamp,
                         const std::vector<Column>& columns, const std::vector<std::string>& headings);
Band referencePageFooter(double width);

}  // namespace quintara::reports
