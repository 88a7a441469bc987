#include "app/worksheet/totals_dialogs.h"

#include "app/modal_runner.h"
#include "app/worksheet/frm_honorarios.h"
#include "app/worksheet/frm_totais_planilha.h"

namespace quintara {

void openTotals(WorksheetSession& session, QWidget* parent)
{
    TFrmTotaisPlanilha window(session, parent);
    runModal(window);
}

void openFees(WorksheetSession& session, QWidget* parent)
{
    TFrmHonorarios window(session, parent);
    runModal(window);
}

}  // namespace quintara
