// The page model: what a laid-out report is before it is painted. Pages hold
// positioned texts, lines and boxes in millimetres from the paper's top-left
// corner, so tests read a report's texts without any paint device.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quintara::reports {

enum class PaperSize { Letter, A4 };
enum class Orientation { Portrait, Landscape };

struct Margins {
    double left = 10, top = 10, right = 10, bottom = 10;  // millimetres
};

// Paper, orientation and margins of every page of one report.
struct PageSetup {
    PaperSize paper = PaperSize::A4;
    Orientation orientation = Orientation::Portrait;
    Margins margins;

    // Paper size in millimetres as the sheet is read (landscape swaps them).
    double widthMm() const;
    double heightMm() const;
    // The printable area inside the margins.
    double bodyWidthMm() const { return widthMm() - margins.left - margins.right; }
    double bodyHeightMm() const { return heightMm() - margins.top - margins.bottom; }
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kLightBlue{204, 238, 255};
inline constexpr Rgb kSilver{192, 192, 192};

// Family names; the painter falls back on a similar face when the named one is
// not installed (a fixed-pitch face always stays fixed-pitch).
inline constexpr const char* kSansFamily = "Arial";
inline constexpr const char* kFixedFamily = "Courier New";

struct TextStyle {
    std::string family = kSansFamily;
    double pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool fixedPitch = false;
    // When the text is wider than its rectangle, the painter lowers the point
    // size until it fits (long numbers in narrow columns) instead of overflowing.
    bool shrinkToFit = false;
    Rgb color = kBlack;

    static TextStyle sans(double points, bool bold = false);
    static TextStyle fixed(double points, bool bold = false);
    // Height of one text line of this style in millimetres (1.2 × the point size).
    double lineHeightMm() const;
    // Width of one character of a fixed-pitch style in millimetres (0.6 em).
    double fixedCharWidthMm() const;
    // The largest fixed-pitch point size (in half points, at most `maximum`)
    // at which `characters` characters fit in widthMm: memo lines of 83
    // characters stay whole on the page.
    static double fixedPointSizeFor(int characters, double widthMm, double maximum = 10);
};

enum class Align { Left, Center, Right };

struct RectMm {
    double x = 0, y = 0, width = 0, height = 0;
    double right() const { return x + width; }
    double bottom() const { return y + height; }
};

// A text in its rectangle; "\n" separates lines, laid one line height apart
// from the rectangle's top. Vertical placement is top-aligned.
struct PageText {
    RectMm rect;
    std::string text;  // UTF-8
    TextStyle style;
    Align align = Align::Left;
};

struct PageLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double widthMm = 0.2;
    Rgb color = kBlack;
};

// A rectangle with an optional frame and an optional fill (drawn beneath texts).
struct PageBox {
    RectMm rect;
    bool framed = true;
    double frameWidthMm = 0.2;
    Rgb frameColor = kBlack;
    bool filled = false;
    Rgb fill = kWhite;
};

class Page {
public:
    const std::vector<PageText>& texts() const { return texts_; }
    const std::vector<PageLine>& lines() const { return lines_; }
    const std::vector<PageBox>& boxes() const { return boxes_; }

    void add(PageText text) { texts_.push_back(std::move(text)); }
    void add(PageLine line) { lines_.push_back(line); }
    void add(PageBox box) { boxes_.push_back(box); }

    // The texts of this page in reading order (top to bottom, then left to
    // right), one string each: what a reader sees, for tests and dumps.
    std::vector<std::string> textsInReadingOrder() const;
    // Whether some text of the page equals the given one exactly.
    bool hasText(const std::string& text) const;

    std::vector<PageText>& mutableTexts() { return texts_; }

private:
    std::vector<PageText> texts_;
    std::vector<PageLine> lines_;
    std::vector<PageBox> boxes_;
};

struct PageModel {
    PageSetup setup;
    std::string title;  // document name shown by the preview and stored in the PDF
    std::vector<Page> pages;
};

// A plain-text dump of the model: "--- página N" before each page, then its
// texts in reading order, one a line. Reference files of reports compare it.
std::string dumpTexts(const PageModel& model);

}  // namespace quintara::reports
