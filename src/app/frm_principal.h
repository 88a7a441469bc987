// TFrmPrincipal: the main window and hub of the program. It shows the monthly
// index sheet of a base year with the highlighted index's description, history
// and mini chart, gates its commands until a user is selected, and opens every
// other window from its menus and toolbars.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "app/form_abertura.h"
#include "app/monthly_sheet.h"
#include "data/data_module.h"
#include "reports/monthly_index_sheet_report.h"

class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QMenu;
class QTableWidget;
class QTextEdit;
class QToolBar;

QT_BEGIN_NAMESPACE
class QChartView;
class QLineSeries;
QT_END_NAMESPACE

namespace quintara {

class Settings;
class TFormAbertura;
class TFormIndices;

class TFrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    TFrmPrincipal(DataModule& dm, Settings& settings, QWidget* parent = nullptr);
    ~TFrmPrincipal() override;

    // Start-up wiring: the splash to close on first activation, the folder
    // chooser of the options window, and the clock (tests pin "today").
    void setSplash(TFormAbertura* splash) { splash_ = splash; }
    void setFolderChooser(DataModule::FolderChooser chooser) { chooser_ = std::move(chooser); }
    void setToday(std::function<Date()> today) { today_ = std::move(today); }

    const std::string& currentUser() const { return currentUser_; }
    bool initialised() const { return initialised_; }
    // A grid cell by the sheet's coordinates: row 0 is the header row, column 0 the codes.
    QString cellText(int column, int row) const;
    int gridRowCount() const;  // header row included
    // The sheet as the report prints it.
    reports::MonthlyIndexSheet sheetForReport() const;
    // Opens a window modally and reactivates this one when it closes.
    int openChild(QDialog& dialog);

    QComboBox* ComboBox = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QLabel* PTitPlanilha = nullptr;
    QLabel* cNomeInd = nullptr;
    QTextEdit* RTexto = nullptr;
    QChartView* chartView = nullptr;
    QLineSeries* series = nullptr;
    QLabel* statusPanels[3] = {nullptr, nullptr, nullptr};
    QToolBar* ToolBar1 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QMenu* menuFerramentas = nullptr;
    QMenu* menuOpcoes = nullptr;
    QMenu* menuSuporte = nullptr;

    // Menu items.
    QAction* MSelecaoUsuario = nullptr;
    QAction* MCadastroUsuarios = nullptr;
    QAction* MIndicadores = nullptr;
    QAction* MMoeda = nullptr;
    QAction* MFormasCorrecao = nullptr;
    QAction* MTabelaCustas = nullptr;
    QAction* MProcessos = nullptr;
    QAction* MIndicadorPessoal = nullptr;
    QAction* MSair = nullptr;
    QAction* MGrafico = nullptr;
    QAction* MFastCalc = nullptr;
    QAction* MPlanilha = nullptr;
    QAction* MConsorcio = nullptr;
    QAction* MContagemCustas = nullptr;
    QAction* MPrice = nullptr;
    QAction* MReorganizar = nullptr;
    QAction* MParametros = nullptr;
    QAction* MSite = nullptr;
    QAction* MMensagem = nullptr;
    QAction* MForum = nullptr;
    QAction* MConteudo = nullptr;
    QAction* MHelpDesk = nullptr;
    QAction* MAtualizacoes = nullptr;
    QAction* MSobre = nullptr;
    // Tool buttons.
    QAction* BtSelectUsr = nullptr;
    QAction* TbIndicadores = nullptr;
    QAction* TbMoeda = nullptr;
    QAction* TbFormadeCorrecao = nullptr;
    QAction* TbTabeladeCustas = nullptr;
    QAction* TbGrafico = nullptr;
    QAction* TbFastCalc = nullptr;
    QAction* TbPlanilha = nullptr;
    QAction* TbConsorcio = nullptr;
    QAction* TbContagemdeCustas = nullptr;
    QAction* ToolButton13 = nullptr;
    QAction* TbMiniNavegador = nullptr;
    QAction* TBMiniCorreio = nullptr;
    QAction* TbForum = nullptr;

public slots:
    void FormCreate();
    void FormActivate();
    void MontaCombo();
    void AtualizaGrid();
    void AtualizaGrid2();
    void Atualizatexto();
    void AtualizaGrafico();
    void ComboBoxChange();
    void DesabilitaTudo();
    void HabilitaTudo();
    void HabilitarAcesso();
    void MSelecaoUsuarioClick();
    void MCadastroUsuariosClick();
    void MReorganizarClick();
    void MParametrosClick();
    void MConteudoClick();
    void MSobreClick();
    void ToolButton13Click();
    void MConsorcioClick();
    void MPriceClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // frm_principal_menus.cpp
    void buildMenus();
    void buildToolBars();
    QAction* command(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {});
    QAction* toolButton(const QString& caption, const QString& hint, int icon);
    std::vector<QAction*> gatedActions() const;
    void openSupportPage(const QString& address);
    // frm_principal_sheet.cpp
    void buildSheet(QWidget* panel);
    void setMonthColumnWidths();
    int baseYearFromBox();
    std::vector<MonthlySheetRow> gridRows() const;
    // frm_principal_panel.cpp
    QWidget* buildSidePanel(QWidget* parent);
    void buildStatusBar();
    int currentDataRow() const;

    DataModule& dm_;
    Settings& settings_;
    DataModule::FolderChooser chooser_;
    std::function<Date()> today_;
    QPointer<TFormAbertura> splash_;
    TFormIndices* reorganiser_ = nullptr;
    QWidget* sheetPanel_ = nullptr;
    bool initialised_ = false;
    std::string currentUser_;
};

}  // namespace quintara
