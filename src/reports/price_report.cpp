#include "reports/price_report.h"

#include "reports/labelled_groups.h"

namespace quintara::reports {

namespace {

// Characters of the result sentence per printed line at the report's size.
constexpr std::size_t kSentenceWidth = 46;

}  // namespace

ReportLayout priceReportLayout(const PriceReportData& d)
{
    LabelledReport report;
    report.title = "Tabela \"Price\"";
    report.printedAt = d.printedAt;
    LabelledGroup inputs{
        "Dados do Cálculo",
        {{"Valor à amortizar", d.amount}, {"Prazo (em anos)", d.term}, {"Taxa de Juros (a.a.)", d.rate}}};
    LabelledGroup result{"Resultado", {}};
    bool first = true;
    for (const std::string& line : wrapWords(d.resultText, kSentenceWidth)) {
        result.rows.push_back({first ? "Resultado do Cálculo" : "", line});
        first = false;
    }
    result.rows.push_back({"Valor da Prestação Mensal", d.payment});
    report.groups = {inputs, result};
    return labelledGroupsLayout(report);
}

PageModel priceReport(const PriceReportData& data)
{
    return layOut(priceReportLayout(data));
}

}  // namespace quintara::reports
