#include "app/calculators/quick_report.h"

#include "data/format_text.h"
#include "engine/text_columns.h"

namespace quintara {

std::vector<std::string> appliedIndices(const Sequence& adjusted)
{
    std::vector<std::string> lines;
    for (const std::string& line : adjusted) {
        if (line.find("até") != std::string::npos)
            lines.push_back(line);
        else
            lines.push_back(columns(line, 1, 10) + "  " + columns(line, 11, 10) + "  até " +
                            columns(line, 21, 10));
    }
    return lines;
}

reports::CalculationReportData quickReportData(const QuickRun& run)
{
    const QuickInput& in = run.input;
    const ItemResults& res = run.result.results;
    const auto money = [&](Amount value) { return formatText("%4s%15.2n", {run.calculationSymbol, value}); };
    reports::CalculationReportData r;
    r.dataTitulo = in.origin.toString();
    r.dataCalculo = run.calculationDate.toString();
    r.descricao = in.description;
    r.valorOriginal = formatText("%4s%15.2n", {run.originSymbol, in.amount});
    r.valorPorExtenso = in.amountInWords;
    r.formaCorrecao = in.correctionApplied ? in.formText : std::string();
    r.indices = appliedIndices(run.result.adjusted);
    r.jurosOrdinarios = formatText("%9.6n", {in.ordinaryRate.toLongDouble()});
    r.inicioOrdinarios = in.ordinaryStart.toString();
    r.jurosCompensatorios = formatText("%9.6n", {in.compensatoryRate.toLongDouble()});
    r.inicioCompensatorios = in.compensatoryStart.toString();
    r.multa = formatText("%09.6n", {in.fineRate.toLongDouble()});
    r.multaSobre =
        in.fineOnInterest ? "[Calculo sobre Valor Corrigido + Juros]" : "[Apenas Sobre o Valor Corrigido]";
    r.valorPrincipal = money(res.principal);
    r.correcaoMonetaria = money(res.corrected - res.principal);
    r.valorJurosOrdinarios = money(res.ordinary);
    r.valorJurosCompensatorios = money(res.compensatory);
    r.valorMulta = money(res.fine);
    r.subTotal = money(res.itemTotal());
    r.total = money(res.itemTotal());
    r.honorarios = money(Amount());
    r.feesShownWhenAboveZero = 0;
    r.originSymbol = run.originSymbol;
    r.originalAmount = in.amount;
    r.lines = run.result.calculationLines;
    return r;
}

}  // namespace quintara
