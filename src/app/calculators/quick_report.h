// The calculation report filled for a quick calculation: the inputs and
// results of the run the results window keeps, never the fields as they are now.
#pragma once

#include "data/data_module.h"
#include "engine/quick_calculation.h"
#include "reports/calculation_report.h"

namespace quintara {

// One run of the quick calculation: what was asked and what came out.
struct QuickRun {
    QuickInput input;
    Date calculationDate;
    QuickResult result;
    std::string originSymbol;       // the currency in force at the origin date
    std::string calculationSymbol;  // the currency in force at the calculation date
};

reports::CalculationReportData quickReportData(const QuickRun& run);

// The adjusted sequence as the report lists it: a line without "até" becomes
// code, two blanks, start, "  até ", end.
std::vector<std::string> appliedIndices(const Sequence& adjusted);

}  // namespace quintara
