// TFrmContCustas: the costs count of one case. Items of the court-costs
// table are dragged (or added with the button or Enter) onto the case's
// list; quantities and unit values are edited in the grid; the count prints
// grouped by cost group. Created once by the main window and reused; the
// worksheet presets the case before opening it.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "data/court_costs.h"
#include "reports/cost_count_report.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace quintara {

class CostBin;
class CostGrid;
class CostItemList;
class DataModule;

class TFrmContCustas : public QDialog {
    Q_OBJECT
public:
    TFrmContCustas(DataModule& dm, QWidget* parent = nullptr);

    // The case the next opening loads (the worksheet's costs button).
    void setPresetCase(const std::string& caseNumber) { preset_ = caseNumber; }
    const std::string& caseNumber() const { return caseNumber_; }

    // The grid's data rows as the report prints them.
    std::vector<reports::CostCountRow> gridRows() const;
    reports::CostCount reportData() const;
    std::vector<std::string> reportLines() const;

    QComboBox* DBLookUpComboBox1 = nullptr;
    QPushButton* btProcessos = nullptr;
    QLabel* lbDescricao = nullptr;
    QLabel* lbData = nullptr;
    QLabel* lbAbertura = nullptr;
    QListWidget* lstNomes = nullptr;
    QPushButton* Panel7 = nullptr;  // "GRUPOS": all items
    QListWidget* DBGGrupoCustas = nullptr;
    QLabel* pnTabCustas = nullptr;
    CostItemList* DBGCustas = nullptr;
    CostGrid* SgCustas = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QLineEdit* cLocalizar = nullptr;
    QLabel* pnTotal = nullptr;
    CostBin* Lixeira = nullptr;
    QPushButton* btAdicionar = nullptr;
    QPushButton* BtImprimir = nullptr;
    QPushButton* BtSair = nullptr;
    QLabel* statusLabel = nullptr;

public slots:
    void FormActivate();
    void DBLookUpComboBox1Click();
    void DBGGrupoCustasClick();
    void Panel7Click();
    void AdicionarClick();
    void SgCustasDragDrop(std::uint32_t itemRecord);
    void SgCustasSetEditText(int row, int column);
    void Totais();
    void ApagarItem1Click();
    void ApagarTudo1Click();
    void BtImprimirClick();
    void BtSairClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void fillCases();
    void fillItems();
    void resetGrid();
    void setRow(int row, const std::string& order, const std::string& description, int quantity, Amount unit,
                Amount total, const std::string& code);
    void loadCase(std::string number);
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    DataModule& dm_;
    std::string caseNumber_;
    std::string preset_;
    std::string letter_;  // item filter; empty = every group
    bool filling_ = false;
};

}  // namespace quintara
