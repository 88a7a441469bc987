// The Price table report (TQFrmPrice): the amount, term and rate of the
// calculation printed, its result sentence and the monthly payment.
#pragma once

#include <string>

#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

struct PriceReportData {
    std::string amount;      // symbol, a blank and "%18.2n" of the amount
    std::string term;        // the term as typed
    std::string rate;        // "%" and the rate as typed
    std::string resultText;  // the result memo's sentence
    std::string payment;     // symbol, a blank and "%-18.2n" of the payment
    std::string printedAt;   // empty = now
};

ReportLayout priceReportLayout(const PriceReportData& data);
PageModel priceReport(const PriceReportData& data);

}  // namespace quintara::reports
