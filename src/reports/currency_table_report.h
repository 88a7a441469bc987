// The report of the national currencies (TFrmRelTabVigencia): one band per
// era of the currencies window's grid, with its period text, name, symbol
// and conversion, A4 portrait.
#pragma once

#include <string>
#include <vector>

#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

struct CurrencyTableRow {
    std::string period;
    std::string name;
    std::string symbol;
    std::string conversion;
};

struct CurrencyTable {
    std::vector<CurrencyTableRow> rows;  // grid rows 1..last
    std::string printedAt;               // "dd/mm/yyyy hh:mm:ss"; empty = now
};

inline constexpr const char* kCurrencyTableTitle = "TABELA DE VIGÊNCIA DA MOEDA NACIONAL";

ReportLayout currencyTableLayout(const CurrencyTable& table);
PageModel currencyTableReport(const CurrencyTable& table);

}  // namespace quintara::reports
