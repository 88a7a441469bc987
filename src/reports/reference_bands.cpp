#include "reports/reference_bands.h"

#include "reports/print_stamp.h"

namespace quintara::reports {

Band referencePageHeader(double width, const std::string& title, const std::string& stamp,
                         const std::vector<Column>& columns, const std::vector<std::string>& headings)
{
    TextStyle small = TextStyle::sans(7);
    small.italic = true;
    Band band(27);
    band.text(0, 0, 60, "Quintara", small);
    band.text(width - 60, 0, 60, stamp.empty() ? printStampNow() : stamp, TextStyle::sans(7), Align::Right);
    band.frame({0, 4, width, 10}, 0.4);
    TextStyle titleStyle = TextStyle::sans(13, true);
    titleStyle.shrinkToFit = true;
    band.text(2, 5.8, width - 4, title, titleStyle, Align::Center);
    band.fill({0, 18, width, 6.5}, kSilver);
    addCells(band, columns, 19.4, headings, TextStyle::sans(8, true));
    band.line(0, 24.5, width, 24.5, 0.3);
    return band;
}

Band referencePageFooter(double width)
{
    Band band(8);
    band.line(0, 2, width, 2, 0.2);
    band.field(width - 50, 3, 50, "Página %1", TextField::PageNumber, TextStyle::sans(7), Align::Right);
    return band;
}

}  // namespace quintara::reports
