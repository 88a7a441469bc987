// A banded report layout and the engine that lays it out into a page model.
// Each printing window describes its report as bands (title, page header,
// column header, detail sections with groups, summary, page footer) and hands
// it to layOut(); the resulting PageModel is painted, previewed or saved.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "reports/page_model.h"

namespace quintara::reports {

// What a text element shows besides its plain text.
enum class TextField {
    Plain,       // the text as given
    PageNumber,  // text is a pattern; "%1" becomes the page number
    PageOfPages  // text is a pattern; "%1" the page number, "%2" the page count
};

// One element of a band, positioned in millimetres from the band's top-left
// corner (the left margin, at the band's vertical position).
struct BandText {
    RectMm rect;
    std::string text;
    TextStyle style;
    Align align = Align::Left;
    TextField field = TextField::Plain;
};
struct BandLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double widthMm = 0.2;
    Rgb color = kBlack;
};
struct BandBox {
    RectMm rect;
    bool framed = true;
    bool filled = false;
    Rgb fill = kWhite;
    double frameWidthMm = 0.2;
};
using BandElement = std::variant<BandText, BandLine, BandBox>;

// A horizontal strip of a page. Its height is the given height, or the lowest
// element's bottom when that is larger (a band grows with a long memo text).
class Band {
public:
    Band() = default;
    explicit Band(double heightMm) : heightMm_(heightMm) {}

    // A text of one line (or several, separated by "\n") at x, y with the given
    // width; its height is the style's line height times the line count.
    Band& text(double x, double y, double width, std::string text, TextStyle style = {},
               Align align = Align::Left);
    // A page number text: pattern with "%1" (and "%2" for PageOfPages).
    Band& field(double x, double y, double width, std::string pattern, TextField field, TextStyle style = {},
                Align align = Align::Left);
    Band& line(double x1, double y1, double x2, double y2, double widthMm = 0.2);
    Band& frame(RectMm rect, double widthMm = 0.2);
    Band& fill(RectMm rect, Rgb color);
    Band& add(BandElement element);

    double height() const;
    const std::vector<BandElement>& elements() const { return elements_; }

private:
    double heightMm_ = 0;
    std::vector<BandElement> elements_;
};

// A list of rows printed one band each, with optional grouping and a heading
// and closing band of its own (a detail or a sub-detail of a report).
struct DetailSection {
    std::size_t rowCount = 0;
    // The band of one row. It may be asked for more than once per row (to
    // keep a heading with its first line), so it must not advance any state.
    std::function<Band(std::size_t row)> row;
    // Printed once before the first row and once after the last (also when
    // there are no rows, unless printWhenEmpty is false).
    std::optional<Band> header;
    std::optional<Band> footer;
    bool printWhenEmpty = true;
    // Grouping: consecutive rows with the same key form a group; the group
    // header comes before its first row, the footer after its last.
    std::function<std::string(std::size_t row)> groupKey;
    std::function<Band(std::size_t firstRow)> groupHeader;
    std::function<Band(std::size_t firstRow, std::size_t lastRow)> groupFooter;
    // Whether the report's column header is printed above this section's
    // rows on every page they occupy.
    bool underColumnHeader = true;
};

struct ReportLayout {
    PageSetup setup;
    std::string name;  // document name (preview title, PDF title)

    std::optional<Band> title;         // once, at the top of the first page (after the page header)
    std::optional<Band> pageHeader;    // at the top of every page
    std::optional<Band> columnHeader;  // below the page header (and title) on every page with detail rows
    std::vector<DetailSection> sections;
    std::optional<Band> summary;     // once, after the last section
    std::optional<Band> pageFooter;  // at the bottom of every page
    bool pageHeaderOnFirstPage = true;
    bool pageFooterOnLastPage = true;
};

// Lays the report out into pages. Throws std::invalid_argument when a band is
// taller than the room a page leaves for it, or a section has rows but no row
// band, so that a report never silently loses lines.
PageModel layOut(const ReportLayout& layout);

}  // namespace quintara::reports
