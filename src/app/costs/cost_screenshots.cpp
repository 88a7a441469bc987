#include "app/costs/cost_screenshots.h"

#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include "app/costs/costs_windows.h"
#include "app/costs/frm_cont_custas.h"
#include "app/costs/frm_custas_dialogs.h"
#include "app/costs/frm_tab_custas.h"
#include "data/case_costs.h"
#include "data/data_module.h"

namespace quintara {

namespace {

// The first case in number order; empty when none is registered.
std::string firstCase(DataModule& dm)
{
    foxpro::Table& cases = dm.Processos();
    cases.setTag("numero");
    cases.first();
    return cases.eof() ? std::string() : cases.getString("NPROCESSO");
}

void shootTable(const ScreenshotSink& sink, DataModule& dm, QWidget* owner)
{
    TFrmTabCustas& table = courtCostsTable(dm, owner);
    table.show();
    const std::vector<CostGroup> groups = costGroups(dm);
    if (!groups.empty()) table.selectGroup(groups.front().letter);
    sink.window(table, QStringLiteral("TFrmTabCustas"));
    sink.report(reports::costTableReport(table.reportData()), QStringLiteral("TFrmQrpCustas"));

    TFrmItemcusta item(owner);
    item.lbGrupo->setText(table.GrupoArvore->currentItem() ? table.GrupoArvore->currentItem()->text(0)
                                                           : QString());
    item.cCodigo->setText(QString::fromStdString(proposeItemCode(dm, table.selectedLetter())));
    sink.window(item, QStringLiteral("TFrmItemcusta"));
    if (!table.listedItems().empty()) {
        const CostItem& first = table.listedItems().front();
        TFrmEditaItemCusta edit(owner);
        edit.lbGrupo->setText(item.lbGrupo->text());
        edit.cCodigo->setText(QString::fromStdString(first.code));
        edit.cDesc->setText(QString::fromStdString(first.description));
        edit.setValue(first.value);
        sink.window(edit, QStringLiteral("TFrmEditaItemCusta"));
    }
    TFrmNovoGrupo group(owner);
    sink.window(group, QStringLiteral("TFrmNovoGrupo"));
    TFrmEditaGrupoCusta rename(owner);
    if (!groups.empty()) {
        rename.cLetra->setText(QString::fromStdString(groups.front().letter));
        rename.cGrupo->setText(QString::fromStdString(groups.front().name));
    }
    sink.window(rename, QStringLiteral("TFrmEditaGrupoCusta"));
    table.hide();
}

}  // namespace

void shootCostWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner)
{
    shootTable(sink, dm, owner);

    // A case without costs is shown with one item of each of the first two
    // groups, counted for the picture and taken off again afterwards.
    const std::string number = firstCase(dm);
    bool added = false;
    if (!number.empty() && caseCosts(dm, number).empty()) {
        for (const CostGroup& group : costGroups(dm)) {
            const std::vector<CostItem> items = costItems(dm, group.letter, CostItemOrder::ByCode);
            if (items.empty()) continue;
            addCaseCost(dm, number, items.front(), Date::today());
            added = true;
            if (caseCosts(dm, number).size() >= 3) break;
        }
    }
    TFrmContCustas& count = costsCount(dm, owner);
    count.setPresetCase(number);
    sink.window(count, QStringLiteral("TFrmContCustas"));
    sink.report(reports::layOut(reports::costCountLayout(count.reportData(), count.reportLines())),
                QStringLiteral("TFrmQrContadeCustas"));
    count.hide();
    if (added) deleteAllCaseCosts(dm, number);
}

}  // namespace quintara
