// The calculation report (TFrmQRFastcalc): the data of one calculation, its
// results and its calculation lines on alternating backgrounds. The quick
// calculation and the worksheet's item detail fill it, each with the values
// of the run it shows, already formatted as they are printed.
#pragma once

#include <string>
#include <vector>

#include "data/amount.h"
#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

struct CalculationReportData {
    std::string titleLabel = "Fast Calc";  // "Processo" for a worksheet item
    std::string caseLine;                  // empty in the quick calculation
    std::string caseDescription;

    // "Dados Originais"
    std::string dataTitulo, dataCalculo, descricao;
    std::string valorOriginal;    // "%4s%15.2n" of the origin currency and the amount
    std::string valorPorExtenso;  // the amount in words
    std::string formaCorrecao;
    std::vector<std::string> indices;  // "Indices Aplicados no Cálculo", already rewritten
    std::string jurosOrdinarios, inicioOrdinarios;
    std::string jurosCompensatorios, inicioCompensatorios;
    std::string multa, multaSobre;  // the fine rate and "[Apenas Sobre o Valor Corrigido]" or the other

    // "Resultados", each "%4s%15.2n" of the calculation date's currency
    std::string valorPrincipal, correcaoMonetaria, valorJurosOrdinarios, valorJurosCompensatorios, valorMulta;
    std::string honorariosPerc, honorarios;
    // The fees captions, the fees and the sub-total are printed only when this is above 0.
    double feesShownWhenAboveZero = 0;
    std::string subTotal, total;

    // The detail lines: the calculation lines, headed by the original value.
    std::string originSymbol;
    Amount originalAmount;
    std::vector<std::string> lines;

    // An optional appendix after the calculation lines (a title and its lines).
    std::string appendixTitle;
    std::vector<std::string> appendixLines;

    std::string printedAt;  // "dd/mm/yyyy hh:mm:ss"; empty = now
};

// The detail lines as printed: unless the first one already holds "VALOR
// ORIGINAL", the line "VALOR ORIGINAL =>" with the origin symbol and amount comes first.
std::vector<std::string> calculationReportLines(const CalculationReportData& data);

ReportLayout calculationReportLayout(const CalculationReportData& data);
PageModel calculationReport(const CalculationReportData& data);

}  // namespace quintara::reports
