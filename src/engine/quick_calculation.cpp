#include "engine/quick_calculation.h"

#include <cmath>

#include "data/format_text.h"
#include "engine/correction.h"
#include "engine/interest.h"
#include "engine/sequence.h"

namespace quintara {

namespace {

std::string withoutBlanks(std::string text)
{
    std::erase(text, ' ');
    return text;
}

class Progress {
public:
    explicit Progress(const QuickHooks& hooks) : hooks_(hooks) {}
    void status(const std::string& text) const
    {
        if (hooks_.status) hooks_.status(text);
    }
    void to(int value)
    {
        position_ = value;
        if (hooks_.progress) hooks_.progress(value);
    }
    void by(int step) { to(position_ + step); }

private:
    const QuickHooks& hooks_;
    int position_ = 0;
};

Amount quickInterest(ReferenceData& data, int formula, Amount base, const Decimal& rate, Date start, Date end)
{
    return formula == 0 ? JurosSimples(data, base, rate, start, end)
                        : JurosCompostos(data, base, rate, start, end);
}

std::string quickInterestLine(const char* label, const Decimal& rate, long days, int formula,
                              const std::string& symbol, Amount value)
{
    return formatText(
        "%-19s= %1s%-11.6na.a.%10s dias [%-8s]=%4s%15.2n",
        {label, "%", rate.toLongDouble(), std::to_string(days), formulaName(formula), symbol, value});
}

// Steps 1 to 4: sequence, table and index walk. False when a stage failed.
bool correct(ReferenceData& data, const QuickInput& in, Date d1, QuickResult& r, Progress& progress)
{
    progress.status("Verificando sequência original.");
    progress.to(3);
    Sequence original = MontaSequencia(data, in.formCode);
    if (original.empty()) r.error = "Erro !!!. Ao montar sequência Original.";
    if (r.error.empty()) {
        progress.status("Ajustando sequência para esse cálculo.");
        progress.to(5);
        r.adjusted = AjustaSequencia(original, in.origin, d1);
        if (r.adjusted.empty()) r.error = "Erro !!!. Ao montar sequência desse Cálculo";
    }
    if (r.error.empty()) {
        progress.status("Verificando conversões moeda e Montando Tabela de Cálculo.");
        progress.to(10);
        TableHooks hooks;
        hooks.onSequenceLine = [&progress](const std::string& code, const std::string& start,
                                           const std::string& end, std::size_t, std::size_t count) {
            progress.status("Verificando valores do " + code + "Período de " + start + " até " + end);
            progress.by(static_cast<int>(std::lround(80.0 / static_cast<double>(count))));
        };
        TableResult table = PegaValores(data, r.adjusted, in.origin, in.converter, hooks);
        r.table = std::move(table.lines);
        r.moedaAtual = table.moedaAtual;
        if (r.table.empty()) r.error = "Erro !!!. Ao Montar Tabela de Cálculo";
    }
    if (!r.error.empty()) {
        r.panel.push_back(r.error);
        return false;
    }
    progress.status("Executando o cálculo da Correção Monetária.");
    progress.to(89);
    r.results.corrected = d1 != in.origin ? AplicaIndices(data, r.table, r.calculationLines, in.fullMonth,
                                                          in.origin, d1, in.amount)
                                          : in.amount;
    return true;
}

void interestAndFine(ReferenceData& data, const QuickInput& in, Date d1, QuickResult& r, Progress& progress)
{
    ItemResults& res = r.results;
    progress.status("Executando cálculo de juros.");
    res.ordinary =
        quickInterest(data, in.ordinaryFormula, res.corrected, in.ordinaryRate, in.ordinaryStart, d1);
    if (res.ordinary > Amount())
        r.calculationLines.push_back(quickInterestLine("Juros Ordinários", in.ordinaryRate,
                                                       d1 - in.ordinaryStart, in.ordinaryFormula,
                                                       r.moedaAtual, res.ordinary));
    progress.to(91);
    res.compensatory = quickInterest(data, in.compensatoryFormula, res.corrected, in.compensatoryRate,
                                     in.compensatoryStart, d1);
    if (res.compensatory > Amount())
        r.calculationLines.push_back(quickInterestLine("Juros Compensator.", in.compensatoryRate,
                                                       d1 - in.compensatoryStart, in.compensatoryFormula,
                                                       r.moedaAtual, res.compensatory));
    progress.to(93);
    progress.status("Preparando o Resultado do Cálculo...");
    res.fine = fineOf(res.corrected, res.ordinary, res.compensatory, in.fineRate, in.fineOnInterest);
    if (res.fine > Amount())
        r.calculationLines.push_back(
            formatText("%-20s=%1s%-11.8n (%30s) = %4s%15.2n",
                       {"Multa", "%", in.fineRate.toLongDouble(),
                        in.fineOnInterest ? "SOBRE VALOR CORRIGIDO + JUROS" : "SOBRE VALOR CORRIGIDO APENAS",
                        r.moedaAtual, res.fine}));
    progress.to(98);
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
    Progress progress(hooks);
    r.panel = Atualizapainel(in);
    progress.to(0);
    r.results.principal = in.amount;
    bool corrected = true;
    if (in.correctionApplied) {
        corrected = correct(data, in, dataCalculo, r, progress);
    } else {
        r.results.corrected = in.amount;
        r.calculationLines.push_back(
            formatText("%-83s", {"Cálculo da Correção Monetária não foi aplicado!"}));
    }
    if (corrected) {
        interestAndFine(data, in, dataCalculo, r, progress);
        r.results.principal = principalOf(in.amount, r.table);
        r.calculationLines.push_back(
            formatText("%-61s = %4s%15.2n", {"TOTAL DO CÁLCULO =>", r.moedaAtual, r.results.total()}));
    }
    progress.status("Cálculo finalizado !");
    progress.to(100);
    return r;
}

}  // namespace quintara
