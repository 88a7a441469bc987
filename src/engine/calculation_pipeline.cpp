#include "engine/calculation_pipeline.h"

#include <cmath>

#include "data/format_text.h"
#include "engine/amount_steps.h"
#include "engine/correction.h"
#include "engine/exact_quotient.h"
#include "engine/interest.h"
#include "engine/sequence.h"

namespace quintara {

namespace {

struct Stop {};  // the calculation ends early (failed stage or interrupt)

// One calculation's course: its result so far, what the observer is told,
// and the share done.
class Course {
public:
    Course(ItemCalculation& calc, CalculationObserver& observer) : calc_(calc), observer_(observer) {}

    // A stage begins: a memo line ("Info: " + memo) and a status text.
    void note(const std::string& memo, const std::string& status)
    {
        calc_.memoLines.push_back("Info: " + memo);
        observer_.status(status);
    }
    void note(const std::string& text) { note(text, text); }
    void progressTo(int share)
    {
        share_ = share;
        observer_.progress(share);
    }
    void progressBy(int share) { progressTo(share_ + share); }
    bool interrupted() { return observer_.interrupted(); }
    void done(int step)
    {
        observer_.step(step);
        stopIfInterrupted();
    }
    void stopIfInterrupted()
    {
        if (observer_.interrupted()) {
            calc_.outcome = ItemOutcome::Interrupted;
            throw Stop{};
        }
    }
    [[noreturn]] void fail(const char* text)
    {
        calc_.outcome = ItemOutcome::FailedStage;
        calc_.error = text;
        calc_.memoLines.emplace_back(text);
        throw Stop{};
    }

private:
    ItemCalculation& calc_;
    CalculationObserver& observer_;
    int share_ = 0;
};

// The worksheet's rates are amounts, and its lines show them as amounts.
Amount asAmount(const Decimal& rate)
{
    return requireAmount(roundedQuotient({rate.units, Amount::kScale}, {rate.unit()}), "rate");
}

Amount interest(ReferenceData& data, int formula, Amount base, const Decimal& rate, Date start, Date end)
{
    formulaName(formula);  // an unknown formula code ends the calculation
    return formula == 0 ? JurosSimples(data, base, rate, start, end)
                        : JurosCompostos(data, base, rate, start, end);
}

std::string interestLine(const CalculationStyle& style, bool ordinary, const Decimal& rate, long days,
                         int formula, const std::string& symbol, Amount value)
{
    if (style.ratesAsTyped)
        return formatText("%-19s= %1s%-11.6na.a.%10s dias [%-8s]=%4s%15.2n",
                          {ordinary ? "Juros Ordinários" : "Juros Compensator.", "%", rate.toLongDouble(),
                           std::to_string(days), formulaName(formula), symbol, value});
    return formatText("%-20s=%1s%-6.2na.a. em %10g dias [%-8s]= %4s%15.2n",
                      {ordinary ? "Juros Ordinários" : "Juros Compensatórios", "%", asAmount(rate),
                       static_cast<double>(days), formulaName(formula), symbol, value});
}

std::string fineLine(const CalculationStyle& style, const CalculationInput& in, const std::string& symbol,
                     Amount fine)
{
    const char* base = in.fineOnInterest ? "SOBRE VALOR CORRIGIDO + JUROS" : "SOBRE VALOR CORRIGIDO APENAS";
    if (style.ratesAsTyped)
        return formatText("%-20s=%1s%-11.8n (%30s) = %4s%15.2n",
                          {"Multa", "%", in.fineRate.toLongDouble(), base, symbol, fine});
    return formatText("%-20s=%1s%-6.2n (%30s) = %4s%15.2n",
                      {"Multa", "%", asAmount(in.fineRate), base, symbol, fine});
}

// Steps 1 to 4: sequence, table and correction walk.
void correct(ReferenceData& data, const CalculationInput& in, Date d1, ItemCalculation& c, Course& course)
{
    course.note("Buscando dados definidos na forma de correção!.", "Verificando sequência original.");
    course.progressTo(3);
    Sequence original = MontaSequencia(data, in.formCode);
    if (original.empty()) course.fail("Erro !!!. Ao montar sequência Original.");
    course.done(1);
    course.note("Ajustando sequência para esse cálculo.");
    course.progressTo(5);
    c.adjusted = AjustaSequencia(original, in.origin, d1);
    if (c.adjusted.empty()) course.fail("Erro !!!. Ao montar sequência desse Cálculo");
    course.done(2);
    course.note("Montando a Tabela de Cálculo.",
                "Verificando conversões moeda e Montando Tabela de Cálculo.");
    course.progressTo(10);
    TableHooks hooks;
    hooks.interrupted = [&course] { return course.interrupted(); };
    hooks.onSequenceLine = [&c, &course](const std::string& code, const std::string& start,
                                         const std::string& end, std::size_t, std::size_t count) {
        const std::string values = "Verificando valores do " + code + "Período de " + start + " até " + end;
        c.memoLines.push_back("Info: Localizando dados do índice [" + code + "].");
        course.note(values);
        course.progressBy(static_cast<int>(std::lround(80.0 / static_cast<double>(count))));
    };
    TableResult table = PegaValores(data, c.adjusted, in.origin, in.converter, hooks);
    c.table = std::move(table.entries);
    c.moedaAtual = table.moedaAtual;
    // A table cut short by the interrupt is not a failed stage.
    if (c.table.empty()) course.stopIfInterrupted();
    if (c.table.empty()) course.fail("Erro !!!. Ao Montar Tabela de Cálculo");
    course.done(3);
    course.note("Executando o cálculo da Correção Monetária.");
    course.progressTo(89);
    c.results.corrected = d1 != in.origin ? AplicaIndices(data, c.table, c.calculationLines, in.fullMonth,
                                                          in.origin, d1, in.amount)
                                          : in.amount;
    course.done(4);
}

// Steps 5 to 7: interest, fine and fees with their lines.
void addInterestAndFine(ReferenceData& data, const CalculationInput& in, Date d1,
                        const CalculationStyle& style, ItemCalculation& c, Course& course)
{
    ItemResults& r = c.results;
    std::vector<std::string>& lines = c.calculationLines;
    course.note("Executando cálculo de juros.");
    r.ordinary = interest(data, in.ordinaryFormula, r.corrected, in.ordinaryRate, in.ordinaryStart, d1);
    if (r.ordinary > Amount())
        lines.push_back(interestLine(style, true, in.ordinaryRate, d1 - in.ordinaryStart, in.ordinaryFormula,
                                     c.moedaAtual, r.ordinary));
    course.done(5);
    course.progressTo(91);
    r.compensatory =
        interest(data, in.compensatoryFormula, r.corrected, in.compensatoryRate, in.compensatoryStart, d1);
    if (r.compensatory > Amount())
        lines.push_back(interestLine(style, false, in.compensatoryRate, d1 - in.compensatoryStart,
                                     in.compensatoryFormula, c.moedaAtual, r.compensatory));
    course.done(6);
    course.progressTo(93);
    course.note("Preparando o Resultado do Cálculo...");
    r.fine = fineOf(r.corrected, r.ordinary, r.compensatory, in.fineRate, in.fineOnInterest);
    if (r.fine > Amount()) lines.push_back(fineLine(style, in, c.moedaAtual, r.fine));
    if (style.fees) {
        r.fees = in.feeRate.isPositive()
                     ? percentOf(r.corrected + r.compensatory + r.ordinary + r.fine, in.feeRate)
                     : Amount();
        lines.push_back(formatText("%-20s=%1s%-6.2n %32s = %4s%15.2n",
                                   {"Honorários", "%", asAmount(in.feeRate), "", c.moedaAtual, r.fees}));
    }
    course.done(7);
    course.progressTo(98);
}

void runSteps(ReferenceData& data, const CalculationInput& in, Date d1, const CalculationStyle& style,
              ItemCalculation& c, Course& course)
{
    course.progressTo(0);
    c.results.principal = in.amount;
    if (in.correctionApplied) {
        correct(data, in, d1, c, course);
    } else {
        c.results.corrected = in.amount;
        c.calculationLines.push_back(
            formatText("%-83s", {"Cálculo da Correção Monetária não foi aplicado!"}));
    }
    addInterestAndFine(data, in, d1, style, c, course);
    c.results.principal = principalOf(in.amount, c.table);
    c.calculationLines.push_back(
        formatText("%-61s = %4s%15.2n", {"TOTAL DO CÁLCULO =>", c.moedaAtual, c.results.total()}));
    course.done(8);
    c.memoLines.insert(c.memoLines.end(), c.calculationLines.begin(), c.calculationLines.end());
    course.done(9);
}

}  // namespace

ItemCalculation runCalculation(ReferenceData& data, const CalculationInput& input, Date dataCalculo,
                               const CalculationStyle& style, CalculationObserver& observer)
{
    ItemCalculation calc;
    Course course(calc, observer);
    try {
        runSteps(data, input, dataCalculo, style, calc, course);
    } catch (const Stop&) {
        // The outcome and the stage's error text are already recorded.
    }
    return calc;
}

}  // namespace quintara
