// ExecutarCalculo: the calculation of one worksheet item, from its parameters
// to its results and memo lines (steps 1 to 9 of the run). Writing the grid
// row, the PITCALCU record and the memo file is the worksheet run's part.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/amount.h"
#include "engine/calculation_table.h"
#include "engine/reference_data.h"

namespace quintara {

// An item's parameters as the run reads them from its grid row.
struct ItemParameters {
    Date origin;             // D0
    Amount amount;           // A
    bool fullMonth = false;  // "CHEIO"
    Amount ordinaryRate;     // percent a year
    Amount compensatoryRate;
    Amount fineRate;  // percent
    bool fineOnInterest = false;
    bool converter = false;
    int ordinaryFormula = 0;  // 0 simple, 1 compound
    int compensatoryFormula = 0;
    Date ordinaryStart;  // read only when the rate is above 0
    Date compensatoryStart;
    std::string formCode;
    Amount feeRate;
};

struct ItemResults {
    Amount principal;     // P
    Amount corrected;     // V
    Amount ordinary;      // Jo
    Amount compensatory;  // Jc
    Amount fine;          // F
    Amount fees;          // H
    // The memo's "TOTAL DO CÁLCULO": everything, fees included.
    Amount total() const { return itemTotal() + fees; }
    // The item's total (grid column "Total Corrigido", VALORTOT): fees apart.
    Amount itemTotal() const { return corrected + ordinary + compensatory + fine; }
};

// PlatformError: a date or number that did not convert, or a step that
// overflowed, ended the whole run during this item (its error holds the message).
enum class ItemOutcome { Calculated, FailedStage, Interrupted, PlatformError };

struct ItemCalculation {
    ItemOutcome outcome = ItemOutcome::Calculated;
    std::vector<std::string> memoLines;         // the memo file's lines so far
    std::vector<std::string> calculationLines;  // the 83-character lines
    std::string error;                          // the failed stage's text or the platform error
    ItemResults results;
    Sequence adjusted;
    CalculationTable table;
    std::string moedaAtual;
};

struct ItemHooks {
    std::function<bool()> interrupted;     // tested after every step
    std::function<void(int step)> onStep;  // after every step (1..9)
};

// Runs steps 1 to 9. Platform errors (a date or number that does not convert,
// a zero divisor in the principal) are thrown.
ItemCalculation ExecutarCalculo(ReferenceData& data, const ItemParameters& item, Date dataCalculo,
                                const ItemHooks& hooks = {});

// The memo file's closing lines: "Info: Cálculo finalizado !", "SEQUENCIA"
// and the adjusted sequence.
void appendClosingLines(ItemCalculation& calc);

// P: the amount divided by the divisor of every conversion line of the table,
// each divisor the decimal its line shows. Throws std::domain_error for a zero divisor.
Amount principalOf(Amount amount, const CalculationTable& table);
// F: on V, or on V + Jc + Jo when the fine is on interest. The worksheet's
// rates are amounts, the quick calculation's floating-point numbers.
Amount fineOf(Amount corrected, Amount ordinary, Amount compensatory, Amount rate, bool onInterest);
Amount fineOf(Amount corrected, Amount ordinary, Amount compensatory, const Decimal& rate, bool onInterest);
// An amount × rate / 100, rounded once.
Amount percentOf(Amount base, Amount rate);
Amount percentOf(Amount base, const Decimal& rate);

// The date the run gives an interest start when the rate is not above 0.
Date zeroDate();

}  // namespace quintara
