// The quick calculation: one amount corrected without a case, as the
// worksheet run does it but with the rates as typed (not cut to amounts), no fees, no file and
// its own interest and fine lines. Returns the results panel's lines, the
// calculation lines and the results the window keeps for charts and report.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/item_calculation.h"

namespace quintara {

struct QuickInput {
    Date origin;
    Amount amount;
    std::string amountInWords;
    std::string description;
    bool correctionApplied = true;
    std::string formCode;        // the form selected in the entry window
    std::string formText;        // its index chain, shown in the panel
    std::string originCurrency;  // the text of the entry window's currency
    Decimal ordinaryRate;        // percent a year, as typed
    Decimal compensatoryRate;
    Decimal fineRate;    // percent
    Date ordinaryStart;  // the origin date when the entry field was not valid
    Date compensatoryStart;
    int ordinaryFormula = 0;  // 0 simple, 1 compound
    int compensatoryFormula = 0;
    bool fineOnInterest = false;
    bool converter = false;
    bool fullMonth = false;
};

struct QuickHooks {
    std::function<void(const std::string&)> status;  // the status bar
    std::function<void(int)> progress;               // the progress bar, 0..100
};

struct QuickResult {
    std::vector<std::string> panel;  // the input summary, then the failed stage's error if any
    std::vector<std::string> calculationLines;
    std::string error;    // the failed stage's text
    ItemResults results;  // fees always 0
    Sequence adjusted;
    CalculationTable table;
    std::string moedaAtual;

    // The results panel as the window shows it: the summary, then the
    // calculation lines of a finished run or the failed stage's error. The
    // lines are kept once, in calculationLines, and joined only here.
    std::vector<std::string> panelLines() const;
};

// The input summary at the top of the results panel.
std::vector<std::string> Atualizapainel(const QuickInput& input);

// Throws, as the worksheet run does, for a date or number that does not convert.
QuickResult Executarcalculo(ReferenceData& data, const QuickInput& input, Date dataCalculo,
                            const QuickHooks& hooks = {});

}  // namespace quintara
