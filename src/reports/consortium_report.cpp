#include "reports/consortium_report.h"

#include "reports/labelled_groups.h"

namespace quintara::reports {

ReportLayout consortiumReportLayout(const ConsortiumReportData& d)
{
    LabelledReport report;
    report.title = "Demonstrativo do Cálculo de Consórcio";
    report.subtitle = "Cálculo realizado em " + d.dataDoCalculo;
    report.printedAt = d.printedAt;
    report.groups = {
        {"Plano",
         {{"Nome do Consorciado", d.nomeConsorciado},
          {"Objeto do Consórcio", d.objetoConsorcio},
          {"Valor Atual do Objeto", d.valorAtual},
          {"Nº de Parcelas do Plano", d.parcelasPlano}}},
        {"Taxas do Consórcio",
         {{"Taxa Administrativa (%)", d.taxaAdministrativa},
          {"Fundo de Reserva (%)", d.fundoDeReserva},
          {"Seguro de Vida (%)", d.seguroDeVida},
          {"Juros ao Ano (%)", d.jurosAno},
          {"Multa p/Atraso ao mês %", d.multa},
          {"Valor Residual (%)", d.residual}}},
        {"Situação de Pagamento",
         {{"Vencimento da 1ª Parcela", d.vencimentoParcela1},
          {"Quantidade de Parcelas pagas", d.parcelasPagas}}},
        {"Resultado do Cálculo",
         {{"Valor de Cada Parcela (Atualizado)", d.valorCadaParcela},
          {"Parcelas Vencidas " + d.quantidadeVencidas, d.totalVencidas},
          {"Valor dos Juros", d.totalJuros},
          {"Valor da Multa", d.totalMulta},
          {"Subtotal (vencido) =>", d.subTotal},
          {"Parcelas a Vencer " + d.quantidadeAVencer, d.totalAVencer},
          {"Valor Residual", d.totalResidual},
          {"Total da dívida (Quitação) =>", d.totalDivida}}},
    };
    return labelledGroupsLayout(report);
}

PageModel consortiumReport(const ConsortiumReportData& data)
{
    return layOut(consortiumReportLayout(data));
}

}  // namespace quintara::reports
