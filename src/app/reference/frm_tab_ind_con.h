// TFrmTabIndCon: the "Indices" window. It lists the registered indices
// (DST_TCM1) with the values of the selected one (DST_LCM1), registers,
// changes and deletes indices, enters, imports and deletes values, edits an
// index's history and prints the two index reports.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/reference/index_catalogue.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace quintara {

class DataModule;

namespace ui {
class DateEdit;
}

class TFrmTabIndCon : public QDialog {
    Q_OBJECT
public:
    TFrmTabIndCon(DataModule& dm, QWidget* parent = nullptr);

    // The index the labels show (the one every command acts on).
    const std::string& selectedCode() const { return selectedCode_; }
    std::uint32_t selectedRecNo() const { return selectedRecNo_; }
    const std::vector<IndexValueRecord>& shownValues() const { return values_; }

    // The chart window is opened through this (the main window wires it);
    // without it the chart commands stay disabled.
    void setChartOpener(std::function<void()> opener);
    // Where "Importar valores…" reads from; by default a file dialog.
    // An empty name means the person cancelled.
    void setImportFileChooser(std::function<QString()> chooser) { chooseImportFile_ = std::move(chooser); }
    // Prepares the update dialog before it is shown (tests and the screenshot
    // mode give it recorded answers instead of the network).
    void setUpdateSetup(std::function<void(QDialog&)> setup) { prepareUpdate_ = std::move(setup); }

    QLabel* banner = nullptr;
    QTableWidget* DBGrid1 = nullptr;
    QLabel* cNomeIndice = nullptr;
    QComboBox* DBLookupCBIndice = nullptr;
    QLabel* cDescIndice = nullptr;
    QPlainTextEdit* cHistorico = nullptr;
    QTableWidget* DBGrid2 = nullptr;
    QFrame* pEditaValor = nullptr;
    ui::DateEdit* dData = nullptr;
    QLineEdit* cValor = nullptr;
    QPushButton* btNovoIndice = nullptr;
    QPushButton* btAlterar = nullptr;
    QPushButton* btEditaValor = nullptr;
    QPushButton* btImprimir = nullptr;
    QPushButton* btGrafico = nullptr;
    QPushButton* btAtualizarIndices = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QLabel* statusPanel = nullptr;
    QProgressBar* progress = nullptr;
    QMenu* menuIndice = nullptr;
    QMenu* menuValores = nullptr;
    QAction* mNovoIndice = nullptr;
    QAction* mAlterar = nullptr;
    QAction* mExcluir = nullptr;
    QAction* mEditarHistorico = nullptr;
    QAction* mVisualizarGrafico = nullptr;
    QAction* mRegistrarValor = nullptr;
    QAction* mExcluirValor = nullptr;
    QAction* mImprimirTabela = nullptr;
    QAction* mGrafico = nullptr;
    QAction* mImportarValores = nullptr;

public slots:
    void FormActivate();
    void DBGrid1ColEnter();
    void DBLookupCBIndiceClick();
    void btNovoIndiceClick();
    void btAlterarClick();
    void mExcluirClick();
    void EditarHistoricoClick();
    void cHistoricoExit();
    void btEditaValorClick();
    void cValorExit();
    void mExcluirValorClick();
    void btImprimirClick();
    void mImprimirTabelaClick();
    void mImportarValoresClick();
    void btAtualizarIndicesClick();
    void BitBtn5Click();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildCommands();
    QWidget* buildIndexPanel();
    QWidget* buildValuePanel();
    // Refills the list of indices and makes the row of recNo current.
    void RefreshList(std::uint32_t recNo);
    void fillValues();
    void closeValueEntry();
    bool confirmIndexDeletion();
    void deleteSelectedIndex();
    void leaving();

    DataModule& dm_;
    std::function<void()> openChart_;
    std::function<QString()> chooseImportFile_;
    std::function<void(QDialog&)> prepareUpdate_;
    std::string selectedCode_;
    std::uint32_t selectedRecNo_ = 0;
    std::vector<IndexValueRecord> values_;
    bool activated_ = false;
    bool editingHistory_ = false;
    std::uint32_t historyRecNo_ = 0;
    bool valueEntryOpen_ = false;
    bool refilling_ = false;
};

}  // namespace quintara
