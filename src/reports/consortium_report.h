// The consortium report (TFrmQrConsorcio): the plan, its rates, the payment
// situation and the results, each value printed as the window showed it at
// the calculation being printed.
#pragma once

#include <string>

#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

// Every value is the text of the window's field or result label.
struct ConsortiumReportData {
    std::string dataDoCalculo;
    std::string nomeConsorciado, objetoConsorcio, valorAtual, parcelasPlano;
    std::string taxaAdministrativa, fundoDeReserva, seguroDeVida, jurosAno, multa, residual;
    std::string vencimentoParcela1, parcelasPagas;
    std::string valorCadaParcela, quantidadeVencidas, totalVencidas, totalJuros, totalMulta, subTotal;
    std::string quantidadeAVencer, totalAVencer, totalResidual, totalDivida;
    std::string printedAt;  // empty = now
};

ReportLayout consortiumReportLayout(const ConsortiumReportData& data);
PageModel consortiumReport(const ConsortiumReportData& data);

}  // namespace quintara::reports
