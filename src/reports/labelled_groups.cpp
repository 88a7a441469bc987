#include "reports/labelled_groups.h"
#include "reports/report_heading.h"

#include <string_view>

#include "reports/print_stamp.h"

namespace quintara::reports {

namespace {

constexpr double kBodyWidth = 190;  // A4 portrait inside 10 mm margins
constexpr double kCaptionWidth = 95;
constexpr double kRowHeight = 5.5;

Band pageHeader(const LabelledReport& report)
{
    const std::string stamp = report.printedAt.empty() ? printStampNow() : report.printedAt;
    TextStyle small = TextStyle::sans(7);
    small.italic = true;
    Band band(report.subtitle.empty() ? 18 : 24);
    band.text(0, 0, 60, "Quintara", small);
    band.text(kBodyWidth - 60, 0, 60, stamp, TextStyle::sans(7), Align::Right);
    band.frame({0, 4, kBodyWidth, 10}, 0.4);
    band.text(0, 5.6, kBodyWidth, report.title, TextStyle::sans(13, true), Align::Center);
    if (!report.subtitle.empty()) band.text(0, 16, kBodyWidth, report.subtitle, TextStyle::sans(10));
    return band;
}

Band groupBand(const LabelledGroup& group)
{
    const double height = 8 + kRowHeight * static_cast<double>(group.rows.size()) + 2;
    Band band(height + 3);
    band.fill({0, 0, kBodyWidth, 6.5}, kSilver);
    band.text(2, 1.2, kBodyWidth - 4, group.title, TextStyle::sans(10, true));
    band.frame({0, 0, kBodyWidth, height}, 0.3);
    double y = 8;
    for (const LabelledRow& row : group.rows) {
        band.text(3, y, kCaptionWidth - 3, row.caption, TextStyle::sans(9));
        band.text(kCaptionWidth, y, kBodyWidth - kCaptionWidth - 3, row.value, TextStyle::fixed(9));
        y += kRowHeight;
    }
    return band;
}

}  // namespace

std::vector<std::string> wrapWords(const std::string& text, std::size_t width)
{
    // Counted in characters, not bytes: continuation bytes of UTF-8 are skipped.
    const auto characters = [](std::string_view s) {
        std::size_t n = 0;
        for (unsigned char c : s) n += (c & 0xC0) != 0x80;
        return n;
    };
    std::vector<std::string> lines;
    std::string_view rest = text;
    while (characters(rest) > width) {
        // The last blank that keeps the line within the width, else the first one.
        std::size_t cut = std::string_view::npos;
        for (std::size_t i = 0, count = 0; i < rest.size() && count <= width; ++i) {
            if (rest[i] == ' ') cut = i;
            count += (static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80;
        }
        if (cut == std::string_view::npos || cut == 0) cut = rest.find(' ', 1);
        if (cut == std::string_view::npos) break;
        lines.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut + 1);
    }
    if (!rest.empty()) lines.emplace_back(rest);
    return lines;
}

ReportLayout labelledGroupsLayout(const LabelledReport& report)
{
    ReportLayout layout;
    layout.setup = {PaperSize::A4, Orientation::Portrait, {10, 10, 10, 10}};
    layout.name = report.title;
    layout.pageHeader = pageHeader(report);
    layout.pageFooter = pageNumberFooter(kBodyWidth, PageNumbering::PageOfPages);
    DetailSection groups;
    groups.rowCount = report.groups.size();
    groups.row = [groupsCopy = report.groups](std::size_t i) { return groupBand(groupsCopy[i]); };
    layout.sections.push_back(std::move(groups));
    return layout;
}

}  // namespace quintara::reports
