#include "worksheet/item_detail.h"

#include <functional>
#include <stdexcept>

#include "data/format_text.h"
#include "data/lookups.h"
#include "engine/text_columns.h"
#include "worksheet/worksheet_items.h"

namespace quintara {

namespace {

constexpr const char* kNotApplied = "<não aplicado>";

// The text the build function gives, or the fallback when a cell does not convert.
std::string orFallback(const std::function<std::string()>& build, const std::string& fallback)
{
    try {
        return build();
    } catch (const std::exception&) {
        return fallback;
    }
}

std::string formulaName(const std::string& cell)
{
    const std::string code = trimBlanks(cell);
    if (code == "0") return "SIMPLES";
    if (code == "1") return "COMPOSTO";
    throw std::invalid_argument("fórmula de juros inválida: " + cell);
}

std::string interestText(const WorksheetGrid& g, int row, int rateColumn, int formulaColumn, int amountColumn,
                         const std::string& symbol)
{
    return orFallback(
        [&] {
            return formatText("%09.6n - [%8s] - Valor %5s%15.2n",
                              {cellAmount(g, row, rateColumn), formulaName(g.cell(row, formulaColumn)),
                               symbol, cellAmount(g, row, amountColumn)});
        },
        kNotApplied);
}

std::string symbolAt(DataModule& dm, const std::string& dateText)
{
    return orFallback([&] { return SiglaDaMoeda(dm, dateText); }, "");
}

void fillValues(ItemDetail& d, DataModule& dm, const WorksheetGrid& g, int row)
{
    const std::string& symbol = d.SiglaMoedaCalculo;
    d.Descricao = g.cell(row, colDescription);
    d.DataOrigem = g.cell(row, colOriginDate);
    d.ValorOriginal = g.cell(row, colOriginCurrency) + g.cell(row, colOriginalAmount);
    d.Quantidade = g.cell(row, colIndexQuantity);
    d.Indexador = g.cell(row, colIndexCode);
    d.ValorIndexador = g.cell(row, colIndexValue);
    d.FormadeCorrecao = g.cell(row, colFormText);
    d.NomeMoeda = orFallback([&] { return NomeDaMoeda(dm, d.DataOrigem, false); }, "");
    d.NomeMoedaPlural = orFallback([&] { return NomeDaMoeda(dm, d.DataOrigem, true); }, "");
    d.DatadoCalculoCap = "Data do Cálculo = " + g.cell(row, colCalculationDate);
    d.JurosOrdinarios =
        interestText(g, row, colOrdinaryRate, colOrdinaryFormula, colOrdinaryInterest, symbol);
    d.JurosCompensatorios =
        interestText(g, row, colCompensatoryRate, colCompensatoryFormula, colCompensatoryInterest, symbol);
    d.Multa = orFallback(
        [&] {
            return formatText("%09.6n %5s%15.2n",
                              {cellAmount(g, row, colFineRate), symbol, cellAmount(g, row, colFine)});
        },
        kNotApplied);
    if (trimBlanks(g.cell(row, colFineOnInterest)) == "SIM") d.Multa += " (Incidiu sobre o valor dos Juros)";
    d.Honorarios =
        orFallback([&] { return formatText("%6.2n", {cellAmount(g, row, colFeeRate)}); }, kNotApplied);
    d.HonorariosValor = d.Honorarios == kNotApplied
                            ? std::string()
                            : orFallback(
                                  [&] {
                                      return formatText("%5s%15.2n", {symbol, cellAmount(g, row, colFees)});
                                  },
                                  "");
    d.Conversor = trimBlanks(g.cell(row, colConverter)) == "SIM" ? "SIM" : "NÃO";
    d.IndiceCheio = trimBlanks(g.cell(row, colMonthMode)) == "CHEIO" ? "SIM" : "NÃO";
    const auto money = [&](std::initializer_list<int> cols) {
        return orFallback(
            [&] {
                Amount sum;
                for (int c : cols) sum = sum + cellAmount(g, row, c);
                return formatText("%5s%15.2n", {symbol, sum});
            },
            "");
    };
    d.ValorPrincipal = money({colPrincipal});
    d.CorrecaoMonetaria = money({colCorrection});
    d.ValorTotal =
        money({colPrincipal, colCorrection, colOrdinaryInterest, colCompensatoryInterest, colFine});
    if (trimBlanks(g.cell(row, colDebtOrPayment)) != "DÍVIDA")
        d.TotalizarComo = "Totalizar como Dedução da Dívida";
}

int itemNumber(const std::string& cell)
{
    const std::string text = trimBlanks(cell);
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoi(text);
}

Date cellDate(const WorksheetGrid& g, int row, int column)
{
    const Date date = Date::parse(trimBlanks(g.cell(row, column)));
    if (date.isEmpty()) throw std::invalid_argument("data vazia");
    return date;
}

}  // namespace

Amount cellAmount(const WorksheetGrid& grid, int row, int column)
{
    return Amount::parse(trimBlanks(grid.cell(row, column)));
}

ItemDetail itemDetail(DataModule& dm, const WorksheetGrid& grid, const std::string& caseNumber, int row)
{
    ItemDetail d;
    if (row < 1 || row > grid.lastRow()) return d;
    d.item = itemNumber(grid.cell(row, colNumber));
    if (d.item == 0) return d;
    d.shown = true;
    d.caption = "Processo nº." + caseNumber + " Item nº " + itemNumberText(row);
    if (!isBlankText(grid.cell(row, colCalculationDate)))
        d.SiglaMoedaCalculo = symbolAt(dm, trimBlanks(grid.cell(row, colCalculationDate)));
    fillValues(d, dm, grid, row);
    if (!isBlankText(caseNumber)) d.memo = readableMemo(readMemoFile(dm.memoFilePath(caseNumber, d.item)));
    return d;
}

std::optional<TotalsChartInput> itemTotalsChart(const WorksheetGrid& g, int row, const ItemDetail& d)
{
    try {
        TotalsChartInput in;
        in.origin = cellDate(g, row, colOriginDate);
        in.calculation = cellDate(g, row, colCalculationDate);
        in.originSymbol = columns(g.cell(row, colOriginCurrency), 1, 4);
        in.calculationSymbol = columns(d.SiglaMoedaCalculo, 1, 4);
        in.principal = cellAmount(g, row, colPrincipal);
        in.original = cellAmount(g, row, colOriginalAmount);
        in.correction = cellAmount(g, row, colCorrection);
        in.ordinary = cellAmount(g, row, colOrdinaryInterest);
        in.compensatory = cellAmount(g, row, colCompensatoryInterest);
        in.fine = cellAmount(g, row, colFine);
        in.fees = cellAmount(g, row, colFees);
        return in;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<CorrectionChartInput> itemCorrectionChart(const WorksheetGrid& g, int row, const ItemDetail& d)
{
    try {
        CorrectionChartInput in;
        in.origin = cellDate(g, row, colOriginDate);
        in.calculation = cellDate(g, row, colCalculationDate);
        in.originSymbol = columns(g.cell(row, colOriginCurrency), 1, 4);
        in.calculationSymbol = columns(d.SiglaMoedaCalculo, 1, 4);
        in.principal = cellAmount(g, row, colPrincipal);
        in.original = cellAmount(g, row, colOriginalAmount);
        in.corrected = in.principal + cellAmount(g, row, colCorrection);
        in.calculationLines = d.memo.lines;
        return in;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace quintara
