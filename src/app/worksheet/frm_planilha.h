// TfrmPlanilha: the worksheet of one case ("Planilha de Cálculos"). It shows
// the case's header and names, its items in the 31-column grid and the
// selected item in the side panel, and carries every worksheet command. It is
// created once and reused; the grid keeps its content between openings.
#pragma once

#include <QDialog>
#include <functional>

#include "app/worksheet/worksheet_dialogs.h"
#include "app/worksheet/worksheet_session.h"
#include "data/date.h"

class QAction;
class QCalendarWidget;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class QTableWidget;
class QToolBar;
class QToolButton;

namespace quintara {

namespace ui {
class DateEdit;
}
class WorksheetModel;

class TfrmPlanilha : public QDialog {
    Q_OBJECT
public:
    TfrmPlanilha(DataModule& dm, WorksheetDialogs dialogs, QWidget* parent = nullptr);
    ~TfrmPlanilha() override;

    WorksheetSession& session() { return session_; }
    WorksheetModel& model() { return *model_; }
    // Tests pin "today" (the calculation date's default).
    void setToday(std::function<Date()> today) { today_ = std::move(today); }
    void setDialogs(WorksheetDialogs dialogs) { dialogs_ = std::move(dialogs); }
    // The grid row selected in the worksheet (0 when none).
    int selectedRow() const;
    void selectRow(int row);
    // Case selector entries.
    void fillCases();

    // Header.
    QGroupBox* gbProcesso = nullptr;
    QComboBox* DBLookupComboBox1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QLabel* DataAbertura = nullptr;
    QLabel* HoraAbertura = nullptr;
    QLabel* UltimaAlteracao = nullptr;
    QLabel* Responsavel = nullptr;
    QLabel* Vara = nullptr;
    QLabel* Protocolo = nullptr;
    QLabel* UltimoCalculo = nullptr;
    QTableWidget* SGNomes = nullptr;
    // Grid, toolbar and pop-up menu.
    QTableView* GPlanilha = nullptr;
    QToolBar* ToolBar = nullptr;
    QAction* tbIncluirItem = nullptr;
    QAction* tbAlterarItem = nullptr;
    QAction* tbMudaDesc = nullptr;
    QAction* tbApagarItem = nullptr;
    QAction* tbApagaTudo = nullptr;
    QAction* tbRecalcularItem = nullptr;
    QAction* TbDestacarItem = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* mnNovoItem = nullptr;
    QAction* mnAlterarItem = nullptr;
    QAction* mnDescricaoAutomatica = nullptr;
    QAction* mnMarcarTodos = nullptr;
    QAction* mnApagarItem = nullptr;
    QAction* mnApagarTodos = nullptr;
    QAction* mnRecalcularItem = nullptr;
    QAction* mnDestacarItem = nullptr;
    ui::DateEdit* DatadoCalculo = nullptr;
    QToolButton* btCalendario = nullptr;  // the calendar of DatadoCalculo
    QCalendarWidget* Calendario = nullptr;
    // Side panel.
    QGroupBox* gbItem = nullptr;
    QLabel* DataOrigem = nullptr;
    QLabel* ValorOriginal = nullptr;
    QLabel* MoedaEpoca = nullptr;
    QLabel* descricaoitem = nullptr;
    QLabel* datacalculo = nullptr;
    QLabel* valorprincipal = nullptr;
    QLabel* formadecorrecao = nullptr;
    QLabel* CheioOuExato = nullptr;
    QLabel* valorcorrecao = nullptr;
    QLabel* jurosordinarios = nullptr;
    QLabel* juroscompensatorios = nullptr;
    QLabel* valormulta = nullptr;
    QLabel* totaldoitem = nullptr;
    QLabel* vHonorarios = nullptr;
    // Buttons and status bar.
    QPushButton* BtHonorarios = nullptr;
    QPushButton* BtTotais = nullptr;
    QPushButton* BtCalcular = nullptr;
    QPushButton* BtErros = nullptr;
    QPushButton* btCustas = nullptr;
    QPushButton* btSair = nullptr;
    QLabel* statusHint = nullptr;
    QLabel* statusText = nullptr;

public slots:
    void FormActivate();
    void Desabilita();
    void AtualizaDadosProcesso();
    void LimpaDadosAtuais();
    void GPlanilhaClick();
    void DBLookupComboBox1Click();
    void SpeedButton2Click();
    void tbIncluirItemClick();
    void tbAlterarItemClick();
    void tbMudaDescClick();
    void MarcarTodosClick();
    void tbApagarItemClick();
    void tbApagaTudoClick();
    void tbRecalcularItemClick();
    void TbDestacarItemClick();
    void BtCalcularClick();
    void BtTotaisClick();
    void BtHonorariosClick();
    void BtErrosClick();
    void btCustasClick();
    void CalendarioClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void buildHeader();
    void buildCommands();
    void buildSidePanel();
    void buildButtons();
    void connectCommands();
    void preparadados();
    void showCaseHeader();
    void showCaseNames();
    void syncCalculationDate();
    // The selected item row, 0 when the selection is a free row.
    int selectedItemRow() const;
    // Runs the calculation window for row (0 = every marked row).
    void runCalculation(int row);
    // After a window opened from here closes: the activation it causes.
    void childClosed();
    void setStatus(const QString& text);

    WorksheetSession session_;
    WorksheetDialogs dialogs_;
    WorksheetModel* model_ = nullptr;
    std::function<Date()> today_;
    bool firstActivation_ = true;
    std::string loadedCase_;
};

}  // namespace quintara
