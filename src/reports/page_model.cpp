#include "reports/page_model.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quintara::reports {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

struct PaperMm {
    double shortSide, longSide;
};

PaperMm paperMm(PaperSize paper)
{
    switch (paper) {
        case PaperSize::Letter:
            return {215.9, 279.4};
        case PaperSize::A4:
            return {210.0, 297.0};
    }
    return {210.0, 297.0};
}

}  // namespace

double PageSetup::widthMm() const
{
    const PaperMm p = paperMm(paper);
    return orientation == Orientation::Portrait ? p.shortSide : p.longSide;
}

double PageSetup::heightMm() const
{
    const PaperMm p = paperMm(paper);
    return orientation == Orientation::Portrait ? p.longSide : p.shortSide;
}

TextStyle TextStyle::sans(double points, bool bold)
{
    TextStyle style;
    style.pointSize = points;
    style.bold = bold;
    return style;
}

TextStyle TextStyle::fixed(double points, bool bold)
{
    TextStyle style;
    style.family = kFixedFamily;
    style.fixedPitch = true;
    style.pointSize = points;
    style.bold = bold;
    return style;
}

double TextStyle::lineHeightMm() const
{
    return pointSize * 1.2 * kMmPerPoint;
}

double TextStyle::fixedCharWidthMm() const
{
    return pointSize * 0.6 * kMmPerPoint;
}

double TextStyle::fixedPointSizeFor(int characters, double widthMm, double maximum)
{
    double points = maximum;
    while (points > 4 && characters * points * 0.6 * kMmPerPoint > widthMm) points -= 0.5;
    return points;
}

std::vector<std::string> Page::textsInReadingOrder() const
{
    std::vector<const PageText*> order;
    order.reserve(texts_.size());
    for (const PageText& t : texts_) order.push_back(&t);
    // Tops are compared to a tenth of a millimetre, so that texts of one band
    // line read left to right.
    const auto key = [](const PageText* t) { return std::pair(std::lround(t->rect.y * 10), t->rect.x); };
    std::stable_sort(order.begin(), order.end(),
                     [&](const PageText* a, const PageText* b) { return key(a) < key(b); });
    std::vector<std::string> result;
    result.reserve(order.size());
    for (const PageText* t : order) result.push_back(t->text);
    return result;
}

bool Page::hasText(const std::string& text) const
{
    return std::any_of(texts_.begin(), texts_.end(), [&](const PageText& t) { return t.text == text; });
}

std::string dumpTexts(const PageModel& model)
{
    std::string out;
    for (std::size_t i = 0; i < model.pages.size(); ++i) {
        out += "--- página " + std::to_string(i + 1) + "\n";
        for (const std::string& text : model.pages[i].textsInReadingOrder()) out += text + "\n";
    }
    return out;
}

}  // namespace quintara::reports
