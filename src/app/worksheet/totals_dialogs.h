// The worksheet's totals and fees commands: each opens its window modally
// over the worksheet session and destroys it when it closes.
#pragma once

#include "app/worksheet/frm_totais_planilha.h"

class QWidget;

namespace quintara {

struct WorksheetSession;

// "&Ver Totais ou e Imprimir": TFrmTotaisPlanilha.
void openTotals(WorksheetSession& session, QWidget* parent);
// The totals chart the two chart buttons of openTotals' window open (the
// comparative chart window). Until one is set the buttons open nothing and
// only recompute the totals.
void setTotalsChartOpener(TFrmTotaisPlanilha::ChartOpener opener);

// "&Honorários": TFrmHonorarios; the grid's items are pending afterwards
// when the person confirmed.
void openFees(WorksheetSession& session, QWidget* parent);

}  // namespace quintara
