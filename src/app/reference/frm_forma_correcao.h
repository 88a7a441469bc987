// TFrmFormaCorrecao: the register of correction forms ("sequências"): the list
// of forms, the selected form's description and its periodicity table, which
// is edited in place and saved after a question when the person leaves it.
// Opens the new and change dialogs, the sequence tester and the forms report.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

#include "reports/forms_table_report.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QToolButton;
class QWidget;

namespace quintara {

class DataModule;

class TFrmFormaCorrecao : public QDialog {
    Q_OBJECT
public:
    explicit TFrmFormaCorrecao(DataModule& dm, QWidget* parent = nullptr);
    ~TFrmFormaCorrecao() override;

    // The FORMA_DAT text of the periodicity grid: per row, start ":" end, an
    // empty cell first set to "00/00/0000" (in the grid too). Throws
    // std::invalid_argument when a cell is not a date, "00/00/0000" or the
    // empty mask, or when the blocks would not fit FORMA_DAT.
    std::string MontaStrSequencia();
    // The forms as the report prints them, in the list's order.
    std::vector<reports::CorrectionFormRow> reportRows();
    // The code whose periodicity the grid shows ("000" when none).
    QString shownCode() const;

    QPushButton* btNovaSequencia = nullptr;
    QPushButton* btEditarSequencia = nullptr;
    QPushButton* btExcluirsequencia = nullptr;
    QPushButton* btImprimirTabela = nullptr;
    QToolButton* spbTest = nullptr;
    QPushButton* btSair = nullptr;
    QTableWidget* DBGrid1 = nullptr;
    QPlainTextEdit* Historico = nullptr;
    QLabel* cSequencia = nullptr;
    QTableWidget* SGIndice = nullptr;
    QWidget* pEditaPeriod = nullptr;
    QLabel* cEditaPeriod = nullptr;
    QLabel* statusPanels[2] = {nullptr, nullptr};
    QMenu* popup = nullptr;

public slots:
    void FormActivate();
    void btNovaSequenciaClick();
    void btEditarSequenciaClick();
    void editarPeriodicidadeClick();
    void btExcluirsequenciaClick();
    void btImprimirTabelaClick();
    void spbTestClick();
    void Periodicidade();
    void SGIndiceEnter();
    void SGIndiceExit();
    // Closing, however it is done, first saves a changed periodicity.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void focusChanged(QWidget* old, QWidget* now);
    void DBGrid1RowChanged(int row);
    void SGIndiceSelectCell(int row, int column);
    void DBGrid1HeaderClick(int column);

private:
    // frm_forma_correcao.cpp
    void buildCommands(QWidget* bar);
    QWidget* buildFormsPanel();
    void fillFormsGrid(const std::string& selectCode);
    // Makes the row's form current: the label, the remembered code, the
    // description and the periodicity grid all follow it.
    void selectForm(int row);
    // The DST_FCM1 record the window shows; 0 when there is none.
    std::uint32_t shownRecord() const;
    // frm_forma_correcao_periodicidade.cpp
    QWidget* buildPeriodicityPanel();
    void Limpa();
    void PegaIndices(const std::string& chain);
    void PegaDatas(const std::string& periods);
    bool insideGrid(QWidget* widget) const;
    void invalidDateTyped(const QString& text);

    DataModule& dm_;
    std::string order_;           // the tag the list follows ("" = as stored)
    std::string rememberedCode_;  // the form the periodicity grid belongs to
    bool periodicityChanged_ = false;
    bool filling_ = false;
    bool savingPeriodicity_ = false;
};

}  // namespace quintara
