#include "reports/forms_table_report.h"
#include "reports/report_heading.h"

#include "data/text_routines.h"
#include "reports/print_stamp.h"

namespace quintara::reports {

namespace {

constexpr const char* kTitle = "TABELA DE FORMAS DE CORREÇÃO ";
constexpr double kWidth = 190;  // A4 portrait inside 10 mm margins
constexpr double kMemoTop = 13;

std::string blockDate(const std::string& text)
{
    return text == "00/00/0000" ? std::string(10, '_') : text;
}

// "[start] - [end]" of one 21-character block.
std::string PegaSequencia(const std::string& block)
{
    std::string text = "[";
    text += blockDate(SubText(block, 1, 10));
    text += "] - [";
    text += blockDate(SubText(block, 12, 10));
    text += ']';
    return text;
}

Band pageHeader(const std::string& printedAt)
{
    const std::string stamp = printedAt.empty() ? printStampNow() : printedAt;
    TextStyle small = TextStyle::sans(7);
    small.italic = true;
    Band band(20);
    band.text(0, 0, 60, "Quintara", small);
    band.text(kWidth - 60, 0, 60, stamp, TextStyle::sans(7), Align::Right);
    band.frame({0, 5, kWidth, 11}, 0.4);
    band.text(0, 7.2, kWidth, kTitle, TextStyle::sans(14, true), Align::Center);
    return band;
}

Band detail(const CorrectionFormRow& form)
{
    const std::vector<std::string> lines = formPeriodicityLines(form.chain, form.periods);
    std::string memo;
    for (const std::string& line : lines) memo += (memo.empty() ? "" : "\n") + line;
    Band band(12.7);  // the 48-pixel band, growing with its memo
    band.frame({0, 1, 14, 6.5}, 0.3);
    band.text(0, 2, 14, form.code, TextStyle::sans(10, true), Align::Center);
    TextStyle chain = TextStyle::sans(10, true);
    chain.shrinkToFit = true;
    band.text(17, 2, kWidth - 17, form.chain, chain);
    band.text(17, 8.5, 80, "Periodicidade da Sequência", TextStyle::sans(8));
    band.text(17, kMemoTop, kWidth - 17, memo, TextStyle::fixed(9));
    band.line(0, band.height() + 1.5, kWidth, band.height() + 1.5, 0.1);
    return band;
}

}  // namespace

std::vector<std::string> formPeriodicityLines(const std::string& chain, const std::string& periods)
{
    std::vector<std::string> lines;
    std::string rest = TrimRight(chain);
    while (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
    std::string blocks = periods;
    while (!IsBlank(rest)) {
        const int p = FirstSeparatorPos(rest);
        std::string code;
        if (p <= 0) {
            code = rest;
            rest.clear();
        } else {
            code = SubText(rest, 1, p);
            rest = SubText(rest, p + 2, static_cast<int>(TextLength(rest)));
        }
        const std::string block = SubText(blocks, 1, 21);
        blocks = SubText(blocks, 22, static_cast<int>(TextLength(blocks)));
        std::string line = PadRight(code, "_", 20);
        line += ": ";
        line += PegaSequencia(block);
        lines.push_back(std::move(line));
    }
    return lines;
}

ReportLayout correctionFormsLayout(const std::vector<CorrectionFormRow>& forms, const std::string& printedAt)
{
    ReportLayout layout;
    layout.setup = {PaperSize::A4, Orientation::Portrait, {10, 10, 10, 10}};
    layout.name = TrimRight(kTitle);
    layout.pageHeader = pageHeader(printedAt);
    layout.pageFooter = pageNumberFooter(kWidth, PageNumbering::Page);
    DetailSection rows;
    rows.rowCount = forms.size();
    rows.row = [forms](std::size_t row) { return detail(forms[row]); };
    layout.sections.push_back(std::move(rows));
    return layout;
}

PageModel correctionFormsReport(const std::vector<CorrectionFormRow>& forms, const std::string& printedAt)
{
    return layOut(correctionFormsLayout(forms, printedAt));
}

}  // namespace quintara::reports
