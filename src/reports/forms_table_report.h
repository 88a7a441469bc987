// The table of correction forms (TFrmQrpFormaCorrecao): one block per form
// with its code, its chain and a fixed-pitch line per index giving the dates
// in which that index applies.
#pragma once

#include <string>
#include <vector>

#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

// One DST_FCM1 record as printed.
struct CorrectionFormRow {
    std::string code;     // FORMA_COD
    std::string chain;    // FORMA_CH
    std::string periods;  // FORMA_DAT, blanks included
};

// The periodicity lines of one form: per code of the chain, the code filled
// to 20 characters with "_", ": " and "[start] - [end]" of its 21-character
// block, an open "00/00/0000" written as ten "_". A missing block gives "[] - []".
std::vector<std::string> formPeriodicityLines(const std::string& chain, const std::string& periods);

// printedAt: "dd/mm/yyyy hh:mm:ss"; empty = now.
ReportLayout correctionFormsLayout(const std::vector<CorrectionFormRow>& forms,
                                   const std::string& printedAt = {});
PageModel correctionFormsReport(const std::vector<CorrectionFormRow>& forms,
                                const std::string& printedAt = {});

}  // namespace quintara::reports
