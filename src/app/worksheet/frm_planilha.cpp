#include "app/worksheet/frm_planilha.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <stdexcept>

#include "app/app_errors.h"
#include "app/worksheet/worksheet_model.h"
#include "data/case_register.h"
#include "data/date_routines.h"
#include "data/format_text.h"
#include "data/lookups.h"
#include "engine/text_columns.h"
#include "ui/date_edit.h"
#include "worksheet/worksheet_items.h"

namespace quintara {

namespace {

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string dateField(const foxpro::Table& table, const char* field)
{
    return Date::fromDtos(table.getDate(field)).toString();
}

}  // namespace

TfrmPlanilha::TfrmPlanilha(DataModule& dm, WorksheetDialogs dialogs, QWidget* parent)
    : QDialog(parent), session_(dm), dialogs_(std::move(dialogs)), today_([] { return Date::today(); })
{
    setObjectName(QStringLiteral("frmPlanilha"));
    setWindowTitle(QStringLiteral("Planilha de Cálculos"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    buildLayout();
    connectCommands();
    preparadados();
}

TfrmPlanilha::~TfrmPlanilha()
{
    // The model reads the session's grid, which goes before the base class
    // hides and destroys the view: the view lets go of the model first.
    GPlanilha->setModel(nullptr);
    delete model_;
}

void TfrmPlanilha::preparadados()
{
    const auto& specs = WorksheetGrid::columnSpecs();
    // The widths were chosen for a small Windows font: they grow with this
    // desktop's font, and never below the column's title or an item number.
    const QFontMetrics metrics = GPlanilha->fontMetrics();
    const double scale = std::max(1.0, metrics.averageCharWidth() / 5.5);
    for (int c = 0; c < WorksheetGrid::kColumns; ++c) {
        // Key columns are hidden, not merely narrow.
        if (specs[c].width == 0) {
            GPlanilha->setColumnHidden(c, true);
            continue;
        }
        const int title = std::max(metrics.horizontalAdvance(QString::fromUtf8(specs[c].title)),
                                   metrics.horizontalAdvance(QStringLiteral("000"))) +
                          14;
        GPlanilha->setColumnWidth(c, std::max(static_cast<int>(specs[c].width * scale), title));
    }
    Vara->clear();
    Protocolo->clear();
    UltimoCalculo->clear();
    session_.LinhaAtual = 0;
    firstActivation_ = true;
}

void TfrmPlanilha::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TfrmPlanilha::FormActivate()
{
    guarded([&] {
        session_.dm.Processos();
        session_.dm.IndicadorPessoal();
        session_.dm.ItensProcesso();
    });
    Desabilita();
    if (!firstActivation_) return;
    tbRecalcularItem->setEnabled(true);
    mnRecalcularItem->setEnabled(true);
    Date date = today_();
    try {
        date = LastDayOfMonth(SubtractMonths(date, 1));
    } catch (const std::exception&) {
    }
    DatadoCalculo->setDate(date);
    syncCalculationDate();
    guarded([&] { fillCases(); });
    Desabilita();
    AtualizaDadosProcesso();
    firstActivation_ = false;
}

void TfrmPlanilha::childClosed()
{
    guarded([&] {
        session_.dm.Processos();
        session_.dm.IndicadorPessoal();
        session_.dm.ItensProcesso();
    });
    model_->refresh();
    Desabilita();
    GPlanilhaClick();
}

void TfrmPlanilha::fillCases()
{
    const QString current = DBLookupComboBox1->currentText();
    const QSignalBlocker block(DBLookupComboBox1);
    DBLookupComboBox1->clear();
    foxpro::Table& cases = session_.dm.Processos();
    cases.setFilterActive(false);
    cases.setTag("numero");
    for (cases.first(); !cases.eof(); cases.next())
        DBLookupComboBox1->addItem(qs(cases.getString("NPROCESSO")));
    DBLookupComboBox1->setCurrentIndex(DBLookupComboBox1->findText(current));
}

void TfrmPlanilha::Desabilita()
{
    const bool hasCase = session_.hasCase();
    const std::initializer_list<QAction*> actions = {
        tbIncluirItem,    tbAlterarItem,  tbApagarItem,  tbMudaDesc,       tbApagaTudo,
        tbRecalcularItem, TbDestacarItem, mnNovoItem,    mnAlterarItem,    mnDescricaoAutomatica,
        mnMarcarTodos,    mnApagarItem,   mnApagarTodos, mnRecalcularItem, mnDestacarItem};
    for (QAction* a : actions) a->setEnabled(hasCase);
    for (QWidget* w : std::initializer_list<QWidget*>{BtHonorarios, BtTotais, BtCalcular, BtErros, btCustas,
                                                      DatadoCalculo, btCalendario, ToolBar})
        w->setEnabled(hasCase);
    DBLookupComboBox1->setEnabled(true);
}

void TfrmPlanilha::DBLookupComboBox1Click()
{
    const std::string chosen = DBLookupComboBox1->currentText().toStdString();
    if (chosen != loadedCase_) session_.stageErrors.clear();
    session_.caseNumber = chosen;
    AtualizaDadosProcesso();
    selectRow(1);
}

void TfrmPlanilha::LimpaDadosAtuais()
{
    for (QLabel* label :
         {Vara, Protocolo, UltimoCalculo, DataAbertura, HoraAbertura, UltimaAlteracao, Responsavel})
        label->clear();
    session_.grid.clearItems();
    model_->refresh();
    GPlanilhaClick();
}

void TfrmPlanilha::AtualizaDadosProcesso()
{
    LimpaDadosAtuais();
    session_.caseNumber = DBLookupComboBox1->currentText().toStdString();
    session_.header = {};
    if (!session_.hasCase()) {
        Desabilita();
        return;
    }
    Desabilita();
    setStatus(QStringLiteral("Aguarde, localizando dados do processo.."));
    guarded([&] {
        showCaseHeader();
        showCaseNames();
        loadCaseItems(session_.dm, session_.grid, session_.caseNumber);
        loadedCase_ = session_.caseNumber;
    });
    model_->reload();
    setStatus(QStringLiteral("Concluído !"));
    GPlanilhaClick();
}

void TfrmPlanilha::showCaseHeader()
{
    foxpro::Table& cases = session_.dm.Processos();
    cases.setFilterActive(false);
    cases.setTag("numero");
    if (!cases.seek({session_.caseNumber}) ||
        cases.getString("NPROCESSO") != trimRightBlanks(session_.caseNumber))
        throw std::runtime_error("processo " + session_.caseNumber + " não encontrado");
    CaseHeader& h = session_.header;
    Vara->setText(qs(cases.getString("VARA")));
    Protocolo->setText(qs(cases.getString("NPROTOCOLO")));
    h.DescricaoProcesso = cases.getString("DESCRICAO");
    // A case never filed holds blanks in its protocol fields.
    if (!isBlankText(cases.getString("NPROTOCOLO")))
        h.LinhaProtocolo = "Nº" + trimBlanks(cases.getString("NPROTOCOLO")) + " em " +
                           dateField(cases, "DPROTOCOLO") + " às " +
                           trimBlanks(cases.getString("HORAPROTOC")) + "hs.";
    else
        h.LinhaProtocolo = "<não protocolado>";
    const std::string lastCalculation = dateField(cases, "DATAUC");
    if (!isBlankText(lastCalculation) && lastCalculation != "  /  /    ")
        UltimoCalculo->setText(qs(lastCalculation));
    DataAbertura->setText(qs(dateField(cases, "DATA")));
    HoraAbertura->setText(qs(cases.getString("HORA")));
    UltimaAlteracao->setText(qs(dateField(cases, "DATAUA")));
    const std::string responsible = cases.getString("RESPONSAV");
    Responsavel->setText(QString::fromStdString(responsible).left(20));
    h.ResponsavelProcesso = responsible;
    h.AnotacoesProcesso = cases.getString("ANOTACOES");
    const std::string user = cases.getString("USUARIO");
    h.LinhaAbertura = DataAbertura->text().toStdString() + " ás " + HoraAbertura->text().toStdString() +
                      " Usr:" + NomeDoUsuario(session_.dm, user);
}

void TfrmPlanilha::showCaseNames()
{
    SGNomes->setRowCount(1);
    for (int c = 0; c < 3; ++c) SGNomes->setItem(0, c, new QTableWidgetItem);
    session_.dm.DisableControls();
    try {
        int row = 0;
        for (const CaseName& name : caseNames(session_.dm, trimRightBlanks(session_.caseNumber))) {
            if (!SGNomes->item(0, 0)->text().isEmpty()) {
                row = SGNomes->rowCount();
                SGNomes->setRowCount(row + 1);
            }
            SGNomes->setItem(row, 0, new QTableWidgetItem(qs(name.name)));
            SGNomes->setItem(row, 1, new QTableWidgetItem(qs(name.citedAs)));
            SGNomes->setItem(row, 2, new QTableWidgetItem(qs(name.document)));
        }
    } catch (...) {
        session_.dm.EnableControls();
        throw;
    }
    session_.dm.EnableControls();
}

void TfrmPlanilha::GPlanilhaClick()
{
    const int row = selectedRow();
    const WorksheetGrid& grid = session_.grid;
    auto cell = [&](int column) { return row > 0 ? grid.cell(row, column) : std::string(); };
    // Every label follows its cell: an empty cell empties the label, so the
    // panel never shows a value of the item selected before.
    auto amount = [&](QLabel* label, int column) {
        const std::string text = trimBlanks(cell(column));
        std::string shown;
        if (!text.empty()) {
            try {
                shown = formatText("%19.2n", {Amount::parse(text)});
            } catch (const std::exception&) {
                shown = text;
            }
        }
        label->setText(qs(shown).trimmed());
    };
    const std::string origin = cell(colOriginDate);
    DataOrigem->setText(qs(origin));
    std::string currency;
    if (!origin.empty() && origin.rfind("  /", 0) != 0)
        guarded([&] { currency = NomeDaMoeda(session_.dm, origin, false); });
    MoedaEpoca->setText(qs(currency));
    descricaoitem->setText(qs(cell(colDescription)));
    datacalculo->setText(qs(cell(colCalculationDate)));
    CheioOuExato->setText(qs(cell(colMonthMode)));
    const QString formText = qs(cell(colFormText));
    if (formText.isEmpty()) {
        formadecorrecao->clear();
    } else {
        const QString padded = formText.rightJustified(105, QLatin1Char(' '));
        formadecorrecao->setText(padded.mid(0, 35) + QLatin1Char(' ') + padded.mid(35, 35) +
                                 QLatin1Char(' ') + padded.mid(70));
    }
    amount(ValorOriginal, colOriginalAmount);
    amount(valorprincipal, colPrincipal);
    amount(valorcorrecao, colCorrection);
    amount(jurosordinarios, colOrdinaryInterest);
    amount(juroscompensatorios, colCompensatoryInterest);
    amount(valormulta, colFine);
    amount(vHonorarios, colFees);
    amount(totaldoitem, colTotal);
}

int TfrmPlanilha::selectedRow() const
{
    const QModelIndex current = GPlanilha->currentIndex();
    if (!current.isValid()) return 0;
    const int row = WorksheetModel::gridRow(current.row());
    return row <= session_.grid.lastRow() ? row : 0;
}

int TfrmPlanilha::selectedItemRow() const
{
    const int row = selectedRow();
    return row > 0 && !session_.grid.isFree(row) ? row : 0;
}

void TfrmPlanilha::selectRow(int row)
{
    if (row < 1 || row > session_.grid.lastRow()) return;
    GPlanilha->setCurrentIndex(model_->index(WorksheetModel::modelRow(row), colNumber));
    GPlanilha->selectRow(WorksheetModel::modelRow(row));
    GPlanilhaClick();
}

void TfrmPlanilha::syncCalculationDate()
{
    session_.calculationDate = DatadoCalculo->text().toStdString();
}

void TfrmPlanilha::setStatus(const QString& text)
{
    statusText->setText(text);
}

}  // namespace quintara
