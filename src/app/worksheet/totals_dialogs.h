// The worksheet's totals and fees commands: each opens its window modally
// over the worksheet session and destroys it when it closes.
#pragma once

class QWidget;

namespace quintara {

struct WorksheetSession;

// "&Ver Totais ou e Imprimir": TFrmTotaisPlanilha.
void openTotals(WorksheetSession& session, QWidget* parent);
// "&Honorários": TFrmHonorarios; the grid's items are pending afterwards
// when the person confirmed.
void openFees(WorksheetSession& session, QWidget* parent);

}  // namespace quintara
