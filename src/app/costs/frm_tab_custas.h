// TFrmTabCustas: the court-costs table, a tree of cost groups beside the
// items of the selected group, with new, edit and delete of items and groups
// and the printed table. Created once by the main window and reused.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "data/court_costs.h"
#include "reports/cost_table_report.h"

class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quintara {

class DataModule;

class TFrmTabCustas : public QDialog {
    Q_OBJECT
public:
    TFrmTabCustas(DataModule& dm, QWidget* parent = nullptr);

    // The letter of the selected group; empty with the root selected.
    std::string selectedLetter() const;
    // Selects the node of a group (the root for an empty letter).
    void selectGroup(const std::string& letter);
    // The listed items, as shown and as the report prints them.
    const std::vector<CostItem>& listedItems() const { return items_; }
    reports::CostTable reportData() const;

    QTreeWidget* GrupoArvore = nullptr;
    QLabel* PTituloGrupo = nullptr;
    QTreeWidget* DBGrid1 = nullptr;
    QPushButton* btInserir = nullptr;
    QPushButton* btEditar = nullptr;
    QPushButton* btApagar = nullptr;
    QPushButton* btImprimir = nullptr;
    QPushButton* btSair = nullptr;
    QMenu* menuGrupos = nullptr;
    QMenu* menuItens = nullptr;
    QLabel* statusLabel = nullptr;

public slots:
    void FormActivate();
    void GrupoArvoreClick();
    void DBGrid1TitleClick(int column);
    void btInserirClick();
    void btEditarClick();
    void btApagarClick();
    void AdicionarGrupoClick();
    void RenomearGrupoClick();
    void ExcluirGrupoClick();
    void btImprimirClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void rebuildTree(const std::string& selectLetter);
    void fillItems();
    const CostItem* currentItem() const;

    DataModule& dm_;
    std::vector<CostItem> items_;
    CostItemOrder order_ = CostItemOrder::ByDescription;
};

}  // namespace quintara
