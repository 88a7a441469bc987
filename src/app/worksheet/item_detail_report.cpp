#include "app/worksheet/item_detail_report.h"

#include <functional>

#include "data/format_text.h"
#include "data/number_words.h"
#include "engine/text_columns.h"

namespace quintara {

namespace {

std::string orElse(const std::function<std::string()>& build, const std::string& fallback)
{
    try {
        return build();
    } catch (const std::exception&) {
        return fallback;
    }
}

}  // namespace

std::string openingDate(const CaseHeader& header)
{
    const std::size_t end = header.LinhaAbertura.find(" ás ");
    return trimBlanks(header.LinhaAbertura.substr(0, end));
}

reports::CalculationReportData itemReportData(const WorksheetSession& session, int row, const ItemDetail& d)
{
    const WorksheetGrid& g = session.grid;
    const auto cell = [&](int column) { return g.cell(row, column); };
    const std::string& symbol = d.SiglaMoedaCalculo;
    const auto money = [&](const std::string& sym, std::initializer_list<int> cols) {
        Amount sum;
        for (int c : cols) sum = sum + cellAmount(g, row, c);
        return formatText("%4s%15.2n", {sym, sum});
    };
    reports::CalculationReportData r;
    r.titleLabel = "Processo";
    r.caseLine = "Processo nº." + session.caseNumber + " - Abertura = " + openingDate(session.header);
    r.caseDescription = cell(colDescription);
    r.dataTitulo = cell(colOriginDate);
    r.dataCalculo = cell(colCalculationDate);
    r.descricao = cell(colDescription);
    r.valorOriginal = orElse([&] { return money(cell(colOriginCurrency), {colOriginalAmount}); },
                             cell(colOriginCurrency) + cell(colOriginalAmount));
    r.valorPorExtenso = orElse(
        [&] {
            const std::string numeral = formatText("%.2f", {cellAmount(g, row, colOriginalAmount)});
            return AmountInWordsWithCurrency(numeral, d.NomeMoeda, d.NomeMoedaPlural);
        },
        "");
    r.formaCorrecao = cell(colFormText);
    r.indices = d.memo.sequence;
    r.jurosOrdinarios = cell(colOrdinaryRate);
    r.inicioOrdinarios = cell(colOrdinaryStart);
    r.jurosCompensatorios = cell(colCompensatoryRate);
    r.inicioCompensatorios = cell(colCompensatoryStart);
    r.multa = cell(colFineRate);
    r.multaSobre = trimBlanks(cell(colFineOnInterest)) == "SIM" ? "[Sobre Valor Corrigido + Juros]"
                                                                : "[Apenas Sobre o Valor Corrigido]";
    r.valorPrincipal = orElse([&] { return money(symbol, {colPrincipal}); }, symbol + cell(colPrincipal));
    r.correcaoMonetaria =
        orElse([&] { return money(symbol, {colCorrection}); }, symbol + cell(colCorrection));
    r.valorJurosOrdinarios = orElse([&] { return money(symbol, {colOrdinaryInterest}); }, "");
    r.valorJurosCompensatorios = orElse([&] { return money(symbol, {colCompensatoryInterest}); }, "");
    r.valorMulta = orElse([&] { return money(symbol, {colFine}); }, "");
    const std::initializer_list<int> itemTotal = {colPrincipal, colCorrection, colOrdinaryInterest,
                                                  colCompensatoryInterest, colFine};
    r.subTotal = orElse([&] { return money(symbol, itemTotal); }, "");
    r.total = orElse(
        [&] {
            return money(symbol, {colPrincipal, colCorrection, colOrdinaryInterest, colCompensatoryInterest,
                                  colFine, colFees});
        },
        "");
    r.honorariosPerc = cell(colFeeRate);
    r.honorarios =
        orElse([&] { return money(symbol, {colFees}); }, formatText("%4s%15.2n", {symbol, Amount()}));
    r.originSymbol = cell(colOriginCurrency);
    try {
        r.feesShownWhenAboveZero = cellAmount(g, row, colFeeRate).toDouble();
    } catch (const std::exception&) {
        r.feesShownWhenAboveZero = 0;
    }
    try {
        r.originalAmount = cellAmount(g, row, colOriginalAmount);
    } catch (const std::exception&) {
        r.originalAmount = Amount();
    }
    r.lines = d.memo.lines;
    return r;
}

}  // namespace quintara
