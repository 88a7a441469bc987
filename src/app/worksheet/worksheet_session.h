// What the worksheet window shares with the windows it opens: the data, the
// item grid, the selected case with its header texts, the calculation date
// and the failed-stage texts that the calculation runs kept for each item.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "data/data_module.h"
#include "worksheet/worksheet_grid.h"

namespace quintara {

// The selected case's header texts, filled when a case is loaded and printed
// by the totals report.
struct CaseHeader {
    std::string DescricaoProcesso;
    std::string ResponsavelProcesso;
    std::string LinhaProtocolo;
    std::string LinhaAbertura;
    std::string AnotacoesProcesso;
};

struct WorksheetSession {
    explicit WorksheetSession(DataModule& data) : dm(data) {}

    DataModule& dm;
    WorksheetGrid grid;
    std::string caseNumber;       // the case selector's text; blank when none
    std::string calculationDate;  // the text of the calculation date field
    CaseHeader header;
    int LinhaAtual = 0;  // the row that saving and the item form act on
    // Texts of the stages that failed in this program's runs, by item number.
    std::map<int, std::vector<std::string>> stageErrors;

    bool hasCase() const { return caseNumber.find_first_not_of(' ') != std::string::npos; }
};

}  // namespace quintara
