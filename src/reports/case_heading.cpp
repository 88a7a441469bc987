#include "reports/case_heading.h"

#include "reports/report_heading.h"

namespace quintara::reports {

double addCaseHeading(Band& band, const CaseHeading& heading, double width)
{
    const TextStyle label = TextStyle::sans(8, true);
    const TextStyle value = TextStyle::sans(9);
    addReportHeading(band, width, heading.title, heading.printedAt);
    band.frame({0, 15, width, 23}, 0.2);
    band.text(2, 16, 30, "Processos", label);
    band.text(2, 21, 30, "Nº do Processo", label);
    band.text(34, 21, 50, heading.caseNumber, value);
    band.text(86, 21, 28, "Protocolado em:", label);
    band.text(114, 21, width - 116, heading.protocol, value);
    band.text(2, 26, 30, "Responsável", label);
    band.text(34, 26, width - 36, heading.responsible, value);
    band.text(2, 31, 30, "Descrição", label);
    band.text(34, 31, width - 36, heading.description, value);
    band.text(width - 90, 16, 88, heading.registered, TextStyle::sans(6), Align::Right);
    return 38;
}

}  // namespace quintara::reports
