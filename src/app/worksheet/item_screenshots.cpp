#include "app/worksheet/item_screenshots.h"

#include <QComboBox>
#include <QLineEdit>

#include "app/worksheet/item_form.h"
#include "data/data_module.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "worksheet/worksheet_items.h"

namespace quintara {

namespace {

// The row of the first item stored for any case; 0 when there is none.
int firstStoredItem(DataModule& dm, WorksheetGrid& grid)
{
    foxpro::Table& items = dm.ItensProcesso();
    items.setTag("processo");
    items.first();
    if (items.eof()) return 0;
    loadCaseItems(dm, grid, items.getString("NPROCESSO"));
    for (int row = 1; row <= grid.lastRow(); ++row)
        if (!grid.isFree(row)) return row;
    return 0;
}

}  // namespace

void shootItemWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner)
{
    WorksheetGrid grid;
    const int stored = firstStoredItem(dm, grid);

    TNovoItemPlanilha added(dm, owner);
    added.setItemNumber(grid.ContaString());
    added.show();
    added.dataOrigem->setText(QStringLiteral("15/03/1994"));
    added.dataOrigemChange();
    added.dataOrigemExit();
    added.valororiginal->setAmount(Amount::parse("850000"));
    added.valororiginalChange();
    added.DESCRICAO->setText(QStringLiteral("Aluguel março/1994"));
    added.jurosOrdinarios->setAmount(Amount::parse("12"));
    added.ValorMulta->setAmount(Amount::parse("10"));
    sink.window(added, QStringLiteral("TNovoItemPlanilha"));

    if (stored > 0) {
        TFrmAlterarItemPlanilha change(dm, grid, stored, owner);
        sink.window(change, QStringLiteral("TFrmAlterarItemPlanilha"));
    }
}

}  // namespace quintara
