#include "reports/calculation_report.h"

#include "data/format_text.h"
#include "reports/labelled_groups.h"
#include "reports/report_heading.h"

namespace quintara::reports {

namespace {

constexpr double kWidth = 195.9;  // Letter portrait inside 10 mm margins
constexpr double kCaptionWidth = 62;
constexpr double kRow = 4.6;
constexpr int kLineCharacters = 83;
constexpr std::size_t kWordsPerLine = 80;
constexpr const char* kIndicesCaption = "Indices Aplicados no Cálculo";

TextStyle captionStyle()
{
    return TextStyle::sans(8.5, true);
}

TextStyle valueStyle()
{
    TextStyle style = TextStyle::fixed(8.5);
    style.shrinkToFit = true;
    return style;
}

// Rows of caption and value from y; returns the y below them.
double captionRows(Band& band, double y, const std::vector<std::pair<std::string, std::string>>& rows)
{
    for (const auto& [caption, value] : rows) {
        band.text(2, y, kCaptionWidth - 2, caption, captionStyle());
        band.text(kCaptionWidth, y, kWidth - kCaptionWidth, value, valueStyle());
        y += kRow;
    }
    return y;
}

double heading(Band& band, double y, const std::string& text)
{
    band.fill({0, y, kWidth, 5.5}, kSilver);
    band.text(2, y + 0.8, kWidth - 4, text, TextStyle::sans(10, true));
    return y + 7;
}

Band titleBand(const CalculationReportData& d)
{
    Band band;
    addReportHeading(band, kWidth, "Demonstrativo de Cálculo", d.printedAt);
    band.text(kWidth - 50, 15, 50, d.titleLabel, TextStyle::sans(11, true), Align::Right);
    double y = 16;
    if (!d.caseLine.empty() || !d.caseDescription.empty()) {
        band.text(0, y, kWidth - 52, d.caseLine, TextStyle::sans(9, true));
        band.text(0, y + kRow, kWidth, d.caseDescription, TextStyle::sans(9));
        y += 2 * kRow;
    }
    y = heading(band, y + 5, "Dados Originais");
    y = captionRows(band, y,
                    {{"Data do Título", d.dataTitulo},
                     {"Data do Cálculo", d.dataCalculo},
                     {"Descrição do Título", d.descricao},
                     {"Valor Original do Título", d.valorOriginal}});
    band.text(2, y, kCaptionWidth - 2, "Valor do Título por Extenso", captionStyle());
    for (const std::string& line : wrapWords(d.valorPorExtenso, kWordsPerLine)) {
        band.text(kCaptionWidth, y, kWidth - kCaptionWidth, line, TextStyle::sans(8.5));
        y += kRow;
    }
    if (d.valorPorExtenso.empty()) y += kRow;
    captionRows(band, y, {{"Forma de Correção (Original)", d.formaCorrecao}});
    return band;
}

// The applied indices, the caption beside the first one.
Band indexRow(const std::vector<std::string>& indices, std::size_t i)
{
    Band band(kRow);
    if (i == 0) band.text(2, 0, kCaptionWidth - 2, kIndicesCaption, captionStyle());
    if (i < indices.size()) band.text(kCaptionWidth, 0, kWidth - kCaptionWidth, indices[i], valueStyle());
    return band;
}

// The rates and the results, between the indices and the calculation lines.
Band resultsBand(const CalculationReportData& d)
{
    Band band;
    const bool fees = d.feesShownWhenAboveZero > 0;
    double y =
        captionRows(band, 2,
                    {{"Juros Ordinários %", d.jurosOrdinarios + "  à partir de " + d.inicioOrdinarios},
                     {"Juros Compensat.%", d.jurosCompensatorios + "  à partir de " + d.inicioCompensatorios},
                     {"Multa %", d.multa + "  " + d.multaSobre}});
    if (fees) y = captionRows(band, y, {{"Honorários %", d.honorariosPerc}});
    y = heading(band, y + 3, "Resultados");
    std::vector<std::pair<std::string, std::string>> rows = {
        {"Valor Principal", d.valorPrincipal},
        {"Correção Monetária", d.correcaoMonetaria},
        {"Juros Ordinários", d.valorJurosOrdinarios},
        {"Juros Compensatórios", d.valorJurosCompensatorios},
        {"Valor da Multa", d.valorMulta}};
    if (fees) {
        rows.emplace_back("Sub-Total =>", d.subTotal);
        rows.emplace_back("Honorários", d.honorarios);
    }
    rows.emplace_back("Total do Cálculo =>", d.total);
    y = captionRows(band, y, rows);
    heading(band, y + 3, "Demonstrativo do Cálculo da Correção Monetária");
    return band;
}

Band memoRow(const std::vector<std::string>& lines, std::size_t i, const TextStyle& style)
{
    const double height = style.lineHeightMm() + 0.4;
    Band band(height);
    // Line numbers count from 1: odd lines light blue, even lines white.
    if (i % 2 == 0) band.fill({0, 0, kWidth, height}, kLightBlue);
    band.text(0.5, 0.2, kWidth - 1, lines[i], style);
    return band;
}

}  // namespace

std::vector<std::string> calculationReportLines(const CalculationReportData& data)
{
    std::vector<std::string> lines;
    if (data.lines.empty() || data.lines.front().find("VALOR ORIGINAL") == std::string::npos)
        lines.push_back(
            formatText("%-61s = %4s%15.2n", {"VALOR ORIGINAL =>", data.originSymbol, data.originalAmount}));
    lines.insert(lines.end(), data.lines.begin(), data.lines.end());
    return lines;
}

ReportLayout calculationReportLayout(const CalculationReportData& data)
{
    ReportLayout layout;
    layout.setup = {PaperSize::Letter, Orientation::Portrait, {10, 10, 10, 10}};
    layout.name = "Demonstrativo de Cálculo";
    layout.title = titleBand(data);
    layout.pageFooter = pageNumberFooter(kWidth, PageNumbering::Page);

    DetailSection indices;
    indices.rowCount = data.indices.size();
    indices.row = [list = data.indices](std::size_t i) { return indexRow(list, i); };
    if (data.indices.empty()) indices.header = indexRow(data.indices, 0);
    indices.footer = resultsBand(data);
    layout.sections.push_back(std::move(indices));

    const TextStyle style = TextStyle::fixed(TextStyle::fixedPointSizeFor(kLineCharacters, kWidth - 1, 9));
    DetailSection memo;
    std::vector<std::string> lines = calculationReportLines(data);
    memo.rowCount = lines.size();
    memo.row = [lines = std::move(lines), style](std::size_t i) { return memoRow(lines, i, style); };
    layout.sections.push_back(std::move(memo));

    if (!data.appendixLines.empty()) {
        DetailSection appendix;
        appendix.rowCount = data.appendixLines.size();
        Band header;
        heading(header, 3, data.appendixTitle);
        appendix.header = header;
        appendix.row = [list = data.appendixLines, style](std::size_t i) {
            Band band(style.lineHeightMm() + 0.4);
            band.text(0.5, 0.2, kWidth - 1, list[i], style);
            return band;
        };
        layout.sections.push_back(std::move(appendix));
    }
    return layout;
}

PageModel calculationReport(const CalculationReportData& data)
{
    return layOut(calculationReportLayout(data));
}

}  // namespace quintara::reports
