#include "app/reference/sequence_tester_checks.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "data/date_routines.h"
#include "data/format_text.h"
#include "data/lookups.h"
#include "data/text_routines.h"
#include "engine/data_module_reference.h"
#include "engine/sequence.h"

namespace quintara {

namespace {

struct IndexKind {
    bool found = false;
    bool daily = false;
    std::string intervalName;
    std::string formatName;
    char letter = ' ';
};

IndexKind indexKind(DataModule& dm, const std::string& code)
{
    IndexKind kind;
    foxpro::Table& indices = dm.Indices();
    indices.setTag("codigo");
    if (code.empty() || !indices.seek({code})) return kind;
    kind.found = true;
    // Any periodicity other than "1" is monthly, as every display treats it.
    kind.daily = indices.getString("TBCM_TIP") == "1";
    kind.intervalName = kind.daily ? "DIARIA" : "MENSAL";
    const std::string format = indices.getString("TBCM_VAL");
    if (format == "1") {
        kind.formatName = "MULTIPLICADOR";
        kind.letter = 'x';
    } else if (format == "2") {
        kind.formatName = "PERCENTUAL";
        kind.letter = 'p';
    } else if (format == "3") {
        kind.formatName = "MOEDA";
    } else if (format == "4") {
        kind.formatName = "JUROS PERCENTUAL";
        kind.letter = 'p';
    } else {
        kind.formatName = "DESCONHECIDO (" + format + ")";
    }
    return kind;
}

// The date after which the next value is overdue.
Date nextExpected(Date date, bool daily)
{
    return daily ? NextMonday(date.addDays(1)) : LastDayOfMonth(AddMonths(date, 1));
}

}  // namespace

std::vector<std::string> SequenceTester::openingLines(const std::string& chain)
{
    return {"Sequencia Selecionada:", chain, "#"};
}

void SequenceTester::addSequence(const std::vector<std::string>& sequence)
{
    for (const std::string& line : sequence)
        add(SubText(line, 1, 10) + SubText(line, 11, 10) + " ->  " + SubText(line, 21, 10));
}

std::vector<std::string> SequenceTester::run(const std::string& formCode, Date titleDate,
                                             Date calculationDate)
{
    lines_.clear();
    symbol_.clear();
    previousSymbol_.clear();
    verdictOk_ = false;
    add("Selecionando dados da sequência..");
    std::vector<std::string> original;
    try {
        DataModuleReference data(dm_);
        original = MontaSequencia(data, formCode);
    } catch (const std::out_of_range&) {
        // A form whose periodicity lacks blocks cannot be assembled.
        add("A periodicidade da sequência não tem um período para cada índice.");
        original.clear();
    }
    if (original.empty()) {
        add("Erro na sequência!");
        return lines_;
    }
    add("");
    add("SEQUÊNCIA ORIGINAL:");
    addSequence(original);
    add("");
    add("SEQUÊNCIA FINAL");
    add("de acordo com as datas acima:");
    const std::vector<std::string> adjusted = AjustaSequencia(original, titleDate, calculationDate);
    addSequence(adjusted);
    verdictOk_ = !adjusted.empty();
    add(verdictOk_ ? "Sequência OK para esse Cálculo!" : "Sequência INVÁLIDA para esse Cálculo!");
    if (options_.checkValues) VerValores(adjusted);
    add("# Final do Teste.");
    return lines_;
}

void SequenceTester::VerValores(const std::vector<std::string>& adjusted)
{
    for (const std::string& line : adjusted) {
        const std::string code = TrimRight(SubText(line, 1, 10));
        const Date start = Date::parse(SubText(line, 11, 10));
        const Date end = Date::parse(SubText(line, 21, 10));
        add("");
        add("Verificando valores do " + code);
        add("Período de " + start.toString() + " até " + end.toString());
        // A monthly value is dated on its month's first day, so the month of
        // the start is queried whole, as the calculation reads it.
        const bool daily = indexKind(dm_, code).daily;
        const std::vector<IndexValueRow> rows =
            dm_.QueryIndices(code, daily ? start : FirstDayOfMonth(start), end);
        add("Nº total de registros no periodo = " + std::to_string(rows.size()));
        ChecaDatasEvalores(code, end, start, rows);
    }
}

bool SequenceTester::ChecaDatasEvalores(const std::string& code, Date end, Date start,
                                        const std::vector<IndexValueRow>& rows)
{
    const IndexKind kind = indexKind(dm_, code);
    if (!kind.found) {
        add("Indice não foi localizado na tabela!");
        return false;
    }
    add("Intervalo de Atualização = " + kind.intervalName);
    add("Formato do Valor = " + kind.formatName);
    std::size_t first = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].date == start) {
            first = i;
            break;
        }
    Date expected = kind.daily ? NextMonday(start.addDays(1)) : LastDayOfMonth(start);
    if (symbol_.empty() && first < rows.size()) {
        symbol_ = SiglaDaMoeda(dm_, rows[first].date.toString());
        previousSymbol_ = symbol_;
    }
    bool passed = true;
    for (std::size_t i = first; i < rows.size() && rows[i].date <= end; ++i) {
        const IndexValueRow& row = rows[i];
        // Every period missing before this value is reported once, then the
        // next value is expected one period after this one.
        while (row.date > expected) {
            if (!kind.daily)
                add("Nenhum registro no mês " + std::to_string(expected.month()) + "/" +
                    std::to_string(expected.year()));
            else if (options_.checkDailyDates)
                add("Data " + expected.toString() + " não encontrada!");
            passed = false;
            expected = nextExpected(expected, kind.daily);
        }
        expected = nextExpected(row.date, kind.daily);
        if (options_.showValues) valueLine(row, expected, kind.letter);
    }
    if (passed) {
        const std::string rule(static_cast<std::size_t>(std::max(options_.ruleWidth, 1)), '-');
        add(rule);
        add(code + " = OK");
        add(rule);
    }
    return passed;
}

void SequenceTester::valueLine(const IndexValueRow& row, Date expected, char formatLetter)
{
    symbol_ = SiglaDaMoeda(dm_, row.date.toString());
    if (symbol_ != previousSymbol_) {
        if (options_.currencyChanges) add("## " + TextoConversao(dm_, expected));
        previousSymbol_ = symbol_;
    }
    const double rounded = std::round(row.value * 10000.0) / 10000.0;
    std::string number(1, formatLetter);
    number += formatText("%15.6f", {rounded});
    std::string line = "[";
    line += formatText("%4s", {symbol_});
    line += "] ";
    line += row.date.toString();
    line += " = ";
    line += ReplaceAll(number, "p", "%");
    add(line);
}

}  // namespace quintara
