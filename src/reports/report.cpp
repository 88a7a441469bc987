#include "reports/report.h"

#include <algorithm>
#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace quintara::reports {

namespace {

double elementBottom(const BandElement& element)
{
    struct Bottom {
        double operator()(const BandText& t) const { return t.rect.bottom(); }
        double operator()(const BandLine& l) const { return std::max(l.y1, l.y2); }
        double operator()(const BandBox& b) const { return b.rect.bottom(); }
    };
    return std::visit(Bottom{}, element);
}

std::size_t lineCount(const std::string& text)
{
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::string millimetres(double mm)
{
    std::ostringstream out;
    out << std::fixed << std::setprecision(1) << mm;
    std::string text = out.str();
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// Replaces "%1" by the page number and "%2" by the page count, in one pass.
std::string pageNumberText(const std::string& pattern, std::size_t page, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += std::to_string(pattern[i + 1] == '1' ? page : count);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// Walks the bands of one report, opening pages as they fill.
class Layouter {
public:
    explicit Layouter(const ReportLayout& layout) : layout_(layout)
    {
        model_.setup = layout.setup;
        model_.title = layout.name;
        footerHeight_ = layout.pageFooter ? layout.pageFooter->height() : 0;
    }

    PageModel run()
    {
        startPage();
        for (const DetailSection& section : layout_.sections) placeSection(section);
        if (layout_.summary) placeWithRoom(*layout_.summary);
        finishPage(true);
        numberPages();
        return std::move(model_);
    }

private:
    double bodyBottom() const
    {
        return layout_.setup.heightMm() - layout_.setup.margins.bottom - footerHeight_;
    }

    void startPage()
    {
        model_.pages.emplace_back();
        y_ = layout_.setup.margins.top;
        columnHeaderOnPage_ = false;
        const bool first = model_.pages.size() == 1;
        if (layout_.pageHeader && (!first || layout_.pageHeaderOnFirstPage)) place(*layout_.pageHeader);
        if (first && layout_.title) place(*layout_.title);
        if (wantColumnHeader_) placeColumnHeader();
        if (y_ > bodyBottom()) fail(y_ - layout_.setup.margins.top, "cabeçalhos");
        bodyStart_ = y_;
    }

    void finishPage(bool last)
    {
        if (layout_.pageFooter && (!last || layout_.pageFooterOnLastPage)) {
            y_ = bodyBottom();
            place(*layout_.pageFooter);
        }
    }

    void newPage()
    {
        finishPage(false);
        startPage();
    }

    void placeColumnHeader()
    {
        if (!layout_.columnHeader || columnHeaderOnPage_) return;
        place(*layout_.columnHeader);
        columnHeaderOnPage_ = true;
    }

    bool pageHasBody() const { return y_ > bodyStart_ + 1e-9; }

    // Opens a new page unless `room` millimetres are left on this one (a page
    // holding only its headers is never left for another).
    void keepRoom(double room)
    {
        if (y_ + room > bodyBottom() + 1e-9 && pageHasBody()) newPage();
    }

    void placeWithRoom(const Band& band)
    {
        keepRoom(band.height());
        const double available = bodyBottom() - y_;
        if (band.height() > available + 1e-9) fail(band.height(), "faixa", available);
        place(band);
    }

    // Puts the column header on the page before a band of `following` height,
    // on a new page when both do not fit here.
    void columnHeaderBefore(double following)
    {
        if (!wantColumnHeader_ || columnHeaderOnPage_) return;
        keepRoom(layout_.columnHeader->height() + following);
        placeColumnHeader();
    }

    void placeSection(const DetailSection& section)
    {
        if (section.rowCount == 0 && !section.printWhenEmpty) return;
        if (section.rowCount > 0 && !section.row)
            throw std::invalid_argument("Relatório \"" + layout_.name +
                                        "\": seção com linhas sem faixa de detalhe.");
        wantColumnHeader_ = section.underColumnHeader && layout_.columnHeader.has_value();
        if (section.header) {
            // The heading of a section stays with its first line.
            const double room =
                section.header->height() + (section.rowCount > 0 ? section.row(0).height() : 0);
            keepRoom(room);
            columnHeaderBefore(room);
            placeWithRoom(*section.header);
        }
        placeRows(section);
        if (section.footer) placeWithRoom(*section.footer);
        wantColumnHeader_ = false;
    }

    void placeRows(const DetailSection& section)
    {
        const bool grouped = static_cast<bool>(section.groupKey);
        std::size_t groupStart = 0;
        for (std::size_t row = 0; row < section.rowCount; ++row) {
            const bool opensGroup =
                grouped && (row == 0 || section.groupKey(row) != section.groupKey(row - 1));
            const bool closesGroup = grouped && (row + 1 == section.rowCount ||
                                                 section.groupKey(row + 1) != section.groupKey(row));
            const Band band = section.row(row);
            if (opensGroup) groupStart = row;
            if (opensGroup && section.groupHeader) {
                const Band header = section.groupHeader(row);
                // A group header never stays alone at the foot of a page.
                keepRoom(header.height() + band.height());
                columnHeaderBefore(header.height() + band.height());
                placeWithRoom(header);
            }
            columnHeaderBefore(band.height());
            placeWithRoom(band);
            if (closesGroup && section.groupFooter) placeWithRoom(section.groupFooter(groupStart, row));
        }
    }

    void place(const Band& band)
    {
        const double x0 = layout_.setup.margins.left;
        Page& page = model_.pages.back();
        for (const BandElement& element : band.elements()) {
            if (const auto* t = std::get_if<BandText>(&element)) {
                RectMm rect = t->rect;
                rect.x += x0;
                rect.y += y_;
                page.add(PageText{rect, t->text, t->style, t->align});
                if (t->field != TextField::Plain)
                    numbered_.push_back({model_.pages.size() - 1, page.texts().size() - 1, t->text});
            } else if (const auto* l = std::get_if<BandLine>(&element)) {
                page.add(PageLine{l->x1 + x0, l->y1 + y_, l->x2 + x0, l->y2 + y_, l->widthMm, l->color});
            } else if (const auto* b = std::get_if<BandBox>(&element)) {
                RectMm rect = b->rect;
                rect.x += x0;
                rect.y += y_;
                page.add(PageBox{rect, b->framed, b->frameWidthMm, kBlack, b->filled, b->fill});
            }
        }
        y_ += band.height();
    }

    void numberPages()
    {
        const std::size_t count = model_.pages.size();
        for (const Numbered& n : numbered_)
            model_.pages[n.page].mutableTexts()[n.text].text = pageNumberText(n.pattern, n.page + 1, count);
    }

    [[noreturn]] void fail(double height, const char* what, double available = -1) const
    {
        if (available < 0) available = layout_.setup.bodyHeightMm() - footerHeight_;
        throw std::invalid_argument("Relatório \"" + layout_.name + "\": " + what + " de " +
                                    millimetres(height) + " mm não cabe na página (espaço de " +
                                    millimetres(available) + " mm).");
    }

    struct Numbered {
        std::size_t page;
        std::size_t text;
        std::string pattern;
    };

    const ReportLayout& layout_;
    PageModel model_;
    double footerHeight_ = 0;
    double y_ = 0;
    bool wantColumnHeader_ = false;
    bool columnHeaderOnPage_ = false;
    double bodyStart_ = 0;  // where the page's first band after its headers goes
    std::vector<Numbered> numbered_;
};

}  // namespace

Band& Band::text(double x, double y, double width, std::string text, TextStyle style, Align align)
{
    const double height = style.lineHeightMm() * static_cast<double>(lineCount(text));
    elements_.push_back(
        BandText{{x, y, width, height}, std::move(text), std::move(style), align, TextField::Plain});
    return *this;
}

Band& Band::field(double x, double y, double width, std::string pattern, TextField field, TextStyle style,
                  Align align)
{
    const double height = style.lineHeightMm();
    elements_.push_back(BandText{{x, y, width, height}, std::move(pattern), std::move(style), align, field});
    return *this;
}

Band& Band::line(double x1, double y1, double x2, double y2, double widthMm)
{
    elements_.push_back(BandLine{x1, y1, x2, y2, widthMm, kBlack});
    return *this;
}

Band& Band::frame(RectMm rect, double widthMm)
{
    elements_.push_back(BandBox{rect, true, false, kWhite, widthMm});
    return *this;
}

Band& Band::fill(RectMm rect, Rgb color)
{
    elements_.push_back(BandBox{rect, false, true, color, 0});
    return *this;
}

Band& Band::add(BandElement element)
{
    elements_.push_back(std::move(element));
    return *this;
}

double Band::height() const
{
    double height = heightMm_;
    for (const BandElement& element : elements_) height = std::max(height, elementBottom(element));
    return height;
}

PageModel layOut(const ReportLayout& layout)
{
    return Layouter(layout).run();
}

}  // namespace quintara::reports
