// The report of indices (TFrmQrpIndices): every registered index with its
// description, updating, start and end dates and value format, A4 landscape.
#pragma once

#include <string>
#include <vector>

#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

struct IndexTableRow {
    std::string code;
    std::string description;
    std::string updating;   // "Mensal" / "Diária"
    std::string start;      // dd/mm/yyyy or ""
    std::string end;        // dd/mm/yyyy or ""
    std::string valueKind;  // "Multiplicador", "Percentual", ...
};

struct IndexTable {
    std::vector<IndexTableRow> rows;  // in the order the list shows them
    std::string printedAt;            // "dd/mm/yyyy hh:mm:ss"; empty = now
};

inline constexpr const char* kIndexTableTitle = "TABELA DE INDICADORES ECONÔMICOS";

ReportLayout indexTableLayout(const IndexTable& table);
PageModel indexTableReport(const IndexTable& table);

}  // namespace quintara::reports
