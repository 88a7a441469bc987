// The long-lived court-costs windows: the table and the costs count are
// created once per owner (the main window) and reused on every opening.
#pragma once

#include <QWidget>
#include <string>

namespace quintara {

class DataModule;
class TFrmContCustas;
class TFrmTabCustas;

TFrmTabCustas& courtCostsTable(DataModule& dm, QWidget* owner);
TFrmContCustas& costsCount(DataModule& dm, QWidget* owner);
// The costs count, preset to a case when caseNumber is not empty (the
// worksheet's costs button); returns when it closes.
int openCostsCount(DataModule& dm, QWidget* owner, const std::string& caseNumber = {});

}  // namespace quintara
