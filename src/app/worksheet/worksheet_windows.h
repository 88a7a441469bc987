// The worksheet window of the main window: created once per owner and reused
// on every opening, so the grid keeps its content between openings.
#pragma once

#include "app/worksheet/worksheet_dialogs.h"

class QWidget;

namespace quintara {

class DataModule;
class TfrmPlanilha;

// The windows the worksheet opens, as the application wires them.
WorksheetDialogs worksheetDialogs();

TfrmPlanilha& worksheetWindow(DataModule& dm, QWidget* owner);
// Shows the worksheet modally; returns when it closes.
int openWorksheet(DataModule& dm, QWidget* owner);

}  // namespace quintara
