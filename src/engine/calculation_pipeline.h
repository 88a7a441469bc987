// The one calculation of an amount, shared by the worksheet item and the quick
// calculation: sequence, table, correction walk, interest, fine, fees and
// principal. The two differ only in their inputs' precision, in a few result
// lines (CalculationStyle) and in what they show while it runs
// (CalculationObserver).
#pragma once

#include <string>

#include "data/amount.h"
#include "engine/decimal.h"
#include "engine/item_calculation.h"
#include "engine/reference_data.h"

namespace quintara {

struct CalculationInput {
    Date origin;
    Amount amount;
    bool correctionApplied = true;  // false: the amount is taken as corrected
    std::string formCode;
    bool fullMonth = false;
    bool converter = false;
    Decimal ordinaryRate;  // percent a year
    Decimal compensatoryRate;
    Decimal fineRate;  // percent
    Decimal feeRate;   // percent; used only when the style has fees
    Date ordinaryStart;
    Date compensatoryStart;
    int ordinaryFormula = 0;  // 0 simple, 1 compound
    int compensatoryFormula = 0;
    bool fineOnInterest = false;
};

// The lines in which the worksheet item and the quick calculation differ.
struct CalculationStyle {
    // The worksheet computes fees and always writes their line; the quick
    // calculation has none.
    bool fees = true;
    // The quick calculation shows the rates as typed (six and eight decimals)
    // in its own interest and fine layouts; the worksheet shows them as the
    // two-decimal amounts of its grid.
    bool ratesAsTyped = false;
};

inline constexpr CalculationStyle kWorksheetStyle{true, false};
inline constexpr CalculationStyle kQuickStyle{false, true};

// Told about the calculation while it runs; every call may be ignored.
class CalculationObserver {
public:
    virtual ~CalculationObserver() = default;
    // After each of the steps 1 (sequence) to 9 (memo lines complete); a
    // calculation without correction reports steps 5 to 9 only.
    virtual void step(int) {}
    virtual void status(const std::string&) {}
    // The share done, 0 to 100 (the end is the caller's to report).
    virtual void progress(int) {}
    // Asked after every step and before every sequence line: true ends the
    // calculation with the outcome Interrupted.
    virtual bool interrupted() { return false; }
};

// Steps 1 to 9. A stage that fails ends it with the outcome FailedStage, its
// error text also being the last memo line. Platform errors (a number that does
// not convert, an unknown interest formula, a zero divisor in the principal)
// are thrown.
ItemCalculation runCalculation(ReferenceData& data, const CalculationInput& input, Date dataCalculo,
                               const CalculationStyle& style, CalculationObserver& observer);

}  // namespace quintara
