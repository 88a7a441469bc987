#include "engine/quick_calculation.h"

#include "data/format_text.h"
#include "engine/calculation_pipeline.h"
#include "engine/interest.h"

namespace quintara {

namespace {

std::string withoutBlanks(std::string text)
{
    std::erase(text, ' ');
    return text;
}

// Tells the quick calculation window's status and progress bars.
class QuickObserver : public CalculationObserver {
public:
    explicit QuickObserver(const QuickHooks& hooks) : hooks_(hooks) {}
    void status(const std::string& text) override
    {
        if (hooks_.status) hooks_.status(text);
    }
    void progress(int share) override
    {
        if (hooks_.progress) hooks_.progress(share);
    }

private:
    const QuickHooks& hooks_;
};

CalculationInput calculationInput(const QuickInput& q)
{
    CalculationInput in;
    in.origin = q.origin;
    in.amount = q.amount;
    in.correctionApplied = q.correctionApplied;
    in.formCode = q.formCode;
    in.fullMonth = q.fullMonth;
    in.converter = q.converter;
    in.ordinaryRate = q.ordinaryRate;
    in.compensatoryRate = q.compensatoryRate;
    in.fineRate = q.fineRate;
    in.ordinaryStart = q.ordinaryStart;
    in.compensatoryStart = q.compensatoryStart;
    in.ordinaryFormula = q.ordinaryFormula;
    in.compensatoryFormula = q.compensatoryFormula;
    in.fineOnInterest = q.fineOnInterest;
    return in;
}

}  // namespace

std::vector<std::string> Atualizapainel(const QuickInput& in)
{
    std::vector<std::string> panel = {"DADOS PARA O CÁLCULO:", ""};
    if (!in.description.empty()) panel.push_back(in.description);
    if (in.correctionApplied) {
        panel.emplace_back("Forma de Correção:");
        panel.push_back(in.formText);
    } else {
        panel.emplace_back("Correção Monetária não será aplicada!");
    }
    panel.push_back("Data Origem do Título: " + in.origin.toString());
    panel.push_back("Valor Original em " + in.originCurrency + " " +
                    withoutBlanks(formatText("%15.2n", {in.amount})));
    panel.push_back("(" + in.amountInWords + ")");
    if (in.ordinaryRate.isPositive()) {
        panel.push_back(formatText("Juros Ordinarios (Perc.)%11.6f", {in.ordinaryRate.toLongDouble()}));
        panel.push_back(std::string("Tipo de Cálculo p/Juros Ordinários = ") +
                        formulaName(in.ordinaryFormula));
    }
    if (in.compensatoryRate.isPositive()) {
        panel.push_back(
            formatText("Juros Compensatórios (Perc.)%11.6f", {in.compensatoryRate.toLongDouble()}));
        panel.push_back(std::string("Tipo de Cálculo p/Juros Compensatórios = ") +
                        formulaName(in.compensatoryFormula));
    }
    if (in.fineRate.isPositive())
        panel.push_back(formatText("Multa (Perc.)%11.6f", {in.fineRate.toLongDouble()}));
    if (in.fineOnInterest) panel.emplace_back("# Calcular Multa Sobre Juros");
    panel.emplace_back("");
    return panel;
}

std::vector<std::string> QuickResult::panelLines() const
{
    std::vector<std::string> lines = panel;
    if (error.empty()) lines.insert(lines.end(), calculationLines.begin(), calculationLines.end());
    return lines;
}

QuickResult Executarcalculo(ReferenceData& data, const QuickInput& in, Date dataCalculo,
                            const QuickHooks& hooks)
{
    QuickResult r;
    r.panel = Atualizapainel(in);
    QuickObserver observer(hooks);
    ItemCalculation calc = runCalculation(data, calculationInput(in), dataCalculo, kQuickStyle, observer);
    if (calc.outcome == ItemOutcome::FailedStage) r.panel.push_back(calc.error);
    r.calculationLines = std::move(calc.calculationLines);
    r.error = std::move(calc.error);
    r.results = calc.results;
    r.adjusted = std::move(calc.adjusted);
    r.table = std::move(calc.table);
    r.moedaAtual = std::move(calc.moedaAtual);
    observer.status("Cálculo finalizado !");
    observer.progress(100);
    return r;
}

}  // namespace quintara
