#include "engine/item_calculation.h"

#include <stdexcept>

#include "data/format_text.h"
#include "engine/correction.h"
#include "engine/interest.h"
#include "engine/scaled_amounts.h"
#include "engine/sequence.h"
#include "engine/text_columns.h"

namespace quintara {

namespace {

struct Stop {};  // the item's run ends early (failed stage or interrupt)

class Steps {
public:
    Steps(ItemCalculation& calc, const ItemHooks& hooks) : calc_(calc), hooks_(hooks) {}
    void done(int step)
    {
        if (hooks_.onStep) hooks_.onStep(step);
        if (hooks_.interrupted && hooks_.interrupted()) {
            calc_.outcome = ItemOutcome::Interrupted;
            throw Stop{};
        }
    }
    void fail(const char* text)
    {
        calc_.outcome = ItemOutcome::FailedStage;
        calc_.error = text;
        calc_.memoLines.emplace_back(text);
        throw Stop{};
    }

private:
    ItemCalculation& calc_;
    const ItemHooks& hooks_;
};

Amount interest(ReferenceData& data, int formula, Amount base, Amount rate, Date start, Date end)
{
    formulaName(formula);  // an unknown formula code ends the run
    return formula == 0 ? JurosSimples(data, base, rate, start, end)
                        : JurosCompostos(data, base, rate, start, end);
}

std::string interestLine(const char* label, Amount rate, long days, int formula, const std::string& symbol,
                         Amount value)
{
    return formatText("%-20s=%1s%-6.2na.a. em %10g dias [%-8s]= %4s%15.2n",
                      {label, "%", rate, static_cast<double>(days), formulaName(formula), symbol, value});
}

void computeInterestAndFees(ReferenceData& data, const ItemParameters& item, Date d1, ItemCalculation& c,
                            Steps& steps)
{
    ItemResults& r = c.results;
    std::vector<std::string>& lines = c.calculationLines;
    c.memoLines.emplace_back("Info: Executando cálculo de juros.");
    Date ordStart = item.ordinaryRate > Amount() ? item.ordinaryStart : zeroDate();
    r.ordinary = interest(data, item.ordinaryFormula, r.corrected, item.ordinaryRate, ordStart, d1);
    if (r.ordinary > Amount())
        lines.push_back(interestLine("Juros Ordinários", item.ordinaryRate, d1 - ordStart,
                                     item.ordinaryFormula, c.moedaAtual, r.ordinary));
    steps.done(5);
    Date compStart = item.compensatoryRate > Amount() ? item.compensatoryStart : zeroDate();
    r.compensatory =
        interest(data, item.compensatoryFormula, r.corrected, item.compensatoryRate, compStart, d1);
    if (r.compensatory > Amount())
        lines.push_back(interestLine("Juros Compensatórios", item.compensatoryRate, d1 - compStart,
                                     item.compensatoryFormula, c.moedaAtual, r.compensatory));
    steps.done(6);
    c.memoLines.emplace_back("Info: Preparando o Resultado do Cálculo...");
    r.fine = fineOf(r.corrected, r.ordinary, r.compensatory, item.fineRate, item.fineOnInterest);
    if (r.fine > Amount())
        lines.push_back(formatText(
            "%-20s=%1s%-6.2n (%30s) = %4s%15.2n",
            {"Multa", "%", item.fineRate,
             item.fineOnInterest ? "SOBRE VALOR CORRIGIDO + JUROS" : "SOBRE VALOR CORRIGIDO APENAS",
             c.moedaAtual, r.fine}));
    r.fees = item.feeRate > Amount()
                 ? percentOf(r.corrected + r.compensatory + r.ordinary + r.fine, item.feeRate)
                 : Amount();
    lines.push_back(formatText("%-20s=%1s%-6.2n %32s = %4s%15.2n",
                               {"Honorários", "%", item.feeRate, "", c.moedaAtual, r.fees}));
    steps.done(7);
}

void runSteps(ReferenceData& data, const ItemParameters& item, Date d1, ItemCalculation& c, Steps& steps,
              const ItemHooks& hooks)
{
    c.results.principal = item.amount;
    c.memoLines.emplace_back("Info: Buscando dados definidos na forma de correção!.");
    Sequence original = MontaSequencia(data, item.formCode);
    if (original.empty()) steps.fail("Erro !!!. Ao montar sequência Original.");
    steps.done(1);
    c.memoLines.emplace_back("Info: Ajustando sequência para esse cálculo.");
    c.adjusted = AjustaSequencia(original, item.origin, d1);
    if (c.adjusted.empty()) steps.fail("Erro !!!. Ao montar sequência desse Cálculo");
    steps.done(2);
    c.memoLines.emplace_back("Info: Montando a Tabela de Cálculo.");
    TableHooks tableHooks;
    tableHooks.interrupted = hooks.interrupted;
    tableHooks.onSequenceLine = [&c](const std::string& code, const std::string& start,
                                     const std::string& end, std::size_t, std::size_t) {
        c.memoLines.push_back("Info: Localizando dados do índice [" + code + "].");
        c.memoLines.push_back("Info: Verificando valores do " + code + "Período de " + start + " até " + end);
    };
    TableResult table = PegaValores(data, c.adjusted, item.origin, item.converter, tableHooks);
    c.table = std::move(table.lines);
    c.moedaAtual = table.moedaAtual;
    if (c.table.empty()) steps.fail("Erro !!!. Ao Montar Tabela de Cálculo");
    steps.done(3);
    c.memoLines.emplace_back("Info: Executando o cálculo da Correção Monetária.");
    c.results.corrected = d1 != item.origin ? AplicaIndices(data, c.table, c.calculationLines, item.fullMonth,
                                                            item.origin, d1, item.amount)
                                            : item.amount;
    steps.done(4);
    computeInterestAndFees(data, item, d1, c, steps);
    c.results.principal = principalOf(item.amount, c.table);
    c.calculationLines.push_back(
        formatText("%-61s = %4s%15.2n", {"TOTAL DO CÁLCULO =>", c.moedaAtual, c.results.total()}));
    steps.done(8);
    c.memoLines.insert(c.memoLines.end(), c.calculationLines.begin(), c.calculationLines.end());
    steps.done(9);
}

}  // namespace

Date zeroDate()
{
    return Date(30, 12, 1899);
}

Amount percentOf(Amount base, const Decimal& rate)
{
    return percentOfAmount(base, rate, "percentage");
}

Amount percentOf(Amount base, Amount rate)
{
    return percentOfAmount(base, Decimal::ofAmount(rate), "percentage");
}

Amount fineOf(Amount corrected, Amount ordinary, Amount compensatory, const Decimal& rate, bool onInterest)
{
    return percentOf(onInterest ? corrected + compensatory + ordinary : corrected, rate);
}

Amount fineOf(Amount corrected, Amount ordinary, Amount compensatory, Amount rate, bool onInterest)
{
    return percentOf(onInterest ? corrected + compensatory + ordinary : corrected, rate);
}

Amount principalOf(Amount amount, const CalculationTable& table)
{
    Amount p = amount;
    for (const std::string& text : table) {
        if (text.rfind(kConversionCode, 0) != 0) continue;  // only conversion lines matter here
        TableLine line = SeparaLinhaTabela(text);
        if (!line.isConversion()) continue;
        const Decimal divisor = parseTableNumber(line.value);
        if (divisor.isZero())
            throw std::domain_error("division by zero: the currency divisor at " + line.date +
                                    " is 0, so the principal cannot be converted");
        p = dividedByAmount(p, divisor, "principal");
    }
    return p;
}

ItemCalculation ExecutarCalculo(ReferenceData& data, const ItemParameters& item, Date dataCalculo,
                                const ItemHooks& hooks)
{
    ItemCalculation calc;
    Steps steps(calc, hooks);
    try {
        runSteps(data, item, dataCalculo, calc, steps, hooks);
    } catch (const Stop&) {
        // The outcome and the stage's error text are already recorded.
    }
    return calc;
}

void appendClosingLines(ItemCalculation& calc)
{
    calc.memoLines.emplace_back("Info: Cálculo finalizado !");
    calc.memoLines.emplace_back("SEQUENCIA");
    calc.memoLines.insert(calc.memoLines.end(), calc.adjusted.begin(), calc.adjusted.end());
}

}  // namespace quintara
