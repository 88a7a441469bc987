// The heading at the top of the program's report pages: the product name at
// the left, the print stamp at the right and the title framed beneath them.
#pragma once

#include <string>

#include "reports/report.h"

namespace quintara::reports {

// Height of the heading in millimetres.
inline constexpr double kReportHeadingHeight = 14;

// Adds the heading at the band's top; stamp empty = the current date and time.
void addReportHeading(Band& band, double width, const std::string& title, const std::string& stamp);

// The page footer of the program's reports: a rule across the page and the
// page number at the right, "Página n" or "Página n de m".
enum class PageNumbering { Page, PageOfPages };
Band pageNumberFooter(double width, PageNumbering numbering);

}  // namespace quintara::reports
