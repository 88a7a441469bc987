#include "reports/report_heading.h"

#include "reports/print_stamp.h"

namespace quintara::reports {

void addReportHeading(Band& band, double width, const std::string& title, const std::string& stamp)
{
    TextStyle small = TextStyle::sans(7);
    small.italic = true;
    band.text(0, 0, 60, "Quintara", small);
    band.text(width - 60, 0, 60, stamp.empty() ? printStampNow() : stamp, TextStyle::sans(7), Align::Right);
    band.frame({0, 4, width, 10}, 0.4);
    TextStyle titleStyle = TextStyle::sans(13, true);
    titleStyle.shrinkToFit = true;
    band.text(2, 5.8, width - 4, title, titleStyle, Align::Center);
}

Band pageNumberFooter(double width, PageNumbering numbering)
{
    Band band(8);
    band.line(0, 2, width, 2, 0.2);
    if (numbering == PageNumbering::Page)
        band.field(width - 50, 3, 50, "Página %1", TextField::PageNumber, TextStyle::sans(7), Align::Right);
    else
        band.field(width - 50, 3, 50, "Página %1 de %2", TextField::PageOfPages, TextStyle::sans(7),
                   Align::Right);
    return band;
}

}  // namespace quintara::reports
