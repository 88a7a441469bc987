// The report of one index's values (TFrmQrpValorIndices): four date/value
// pairs side by side in each band, A4 portrait. A multiplier index prints
// nine decimals without grouping; any other kind four decimals, grouped.
#pragma once

#include <string>
#include <vector>

#include "data/date.h"
#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

struct IndexValueEntry {
    Date date;
    double value = 0.0;
};

struct IndexValuesSheet {
    std::string title;                    // TBCM_DESC + " [" + TBCM_COD + "]"
    bool multiplier = true;               // TBCM_VAL starts with "1"
    std::vector<IndexValueEntry> values;  // in date order
    std::string printedAt;                // "dd/mm/yyyy hh:mm:ss"; empty = now
};

inline constexpr std::size_t kPairsPerBand = 4;

// The text of a value in pair 0..3: "%10.9f" / "%15.9f" for a multiplier,
// "%10.4n" / "%15.4n" otherwise (the wider form in pairs 3 and 4).
std::string indexValueCell(double value, bool multiplier, std::size_t pair);

ReportLayout indexValuesLayout(const IndexValuesSheet& sheet);
PageModel indexValuesReport(const IndexValuesSheet& sheet);

}  // namespace quintara::reports
