#include "app/worksheet/detail_dialogs.h"

#include "app/modal_runner.h"
#include "app/worksheet/frm_destacar_item.h"

namespace quintara {

void openItemDetail(WorksheetSession& session, int row, QWidget* parent)
{
    TFrmDestacarItem window(session, row, parent);
    runModal(window);
}

}  // namespace quintara
