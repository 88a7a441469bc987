// The periodicity grid of the correction-forms window: filling it from
// FORMA_CH and FORMA_DAT, editing its dates in place and saving it back.
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
#include <stdexcept>

#include "app/app_errors.h"
#include "app/reference/forms_table.h"
#include "app/reference/frm_forma_correcao.h"
#include "data/date_routines.h"
#include "data/text_routines.h"
#include "engine/chain.h"
#include "engine/sequence.h"
#include "ui/date_edit.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

const QString kEmptyMask =
    QString::fromLatin1(kEmptyDateText.data(), static_cast<int>(kEmptyDateText.size()));
constexpr const char* kOpenDate = "00/00/0000";
constexpr int kStartColumn = 1;
constexpr int kEndColumn = 2;
constexpr int kRangeColumn = 3;

// The in-place editor of a date cell: the masked date field. Only a real
// date or the blank mask reaches the grid; anything else is reported and the
// cell keeps its text, so every stored block stays 21 characters wide.
class PeriodDateDelegate : public QStyledItemDelegate {
public:
    PeriodDateDelegate(QObject* parent, std::function<void(const QString&)> invalid)
        : QStyledItemDelegate(parent), invalid_(std::move(invalid))
    {
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return new ui::DateEdit(parent);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* edit = static_cast<ui::DateEdit*>(editor);
        const QString text = index.data().toString();
        // A text that is not a date (an open date) starts the editor empty.
        if (IsValidDateText(text.toStdString()))
            edit->setText(text);
        else
            edit->setDate(Date());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* edit = static_cast<ui::DateEdit*>(editor);
        if (edit->isBlank())
            model->setData(index, kEmptyMask);
        else if (edit->isValidDate())
            model->setData(index, edit->text());
        else
            invalid_(edit->text());
    }

private:
    std::function<void(const QString&)> invalid_;
};

// A cell text that FORMA_DAT may hold: exactly ten characters.
bool storableDate(const std::string& text)
{
    return text == kOpenDate || text == kEmptyDateText || (text.size() == 10 && IsValidDateText(text));
}

// How a stored start or end shows in the grid: an open date as the empty mask.
QString shownDate(const std::string& text)
{
    if (!IsBlank(text) && isOpenDateText(text)) return kEmptyMask;
    return QString::fromStdString(text);
}

// Puts the value table back as it was after the recorded ranges were read.
class ValuesGuard {
public:
    explicit ValuesGuard(DataModule& dm) : guard_(dm.ValorIndices()) {}

private:
    TableCursorGuard guard_;
};

}  // namespace

QWidget* TFrmFormaCorrecao::buildPeriodicityPanel()
{
    auto* panel = new QWidget(this);
    auto* title = new QLabel(QStringLiteral("Tabela de Periodicidade da sequência: "), panel);
    cSequencia = new QLabel(QStringLiteral("000"), panel);
    QFont bold = cSequencia->font();
    bold.setBold(true);
    cSequencia->setFont(bold);
    const QString hint = QStringLiteral("Dados da periodicidade de cada índice na sequência.");
    ui::setHint(title, hint);
    ui::setHint(cSequencia, hint);

    SGIndice = new QTableWidget(1, 4, panel);
    SGIndice->setObjectName(QStringLiteral("SGIndice"));
    SGIndice->setHorizontalHeaderLabels(
        {QStringLiteral("INDICE"), QStringLiteral("INÍCIO"), QStringLiteral("FIM"), QString()});
    SGIndice->verticalHeader()->hide();
    // The recorded range is shown below the grid while a row is selected.
    SGIndice->setColumnHidden(kRangeColumn, true);
    SGIndice->setSelectionMode(QAbstractItemView::SingleSelection);
    SGIndice->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    SGIndice->setItemDelegate(
        new PeriodDateDelegate(SGIndice, [this](const QString& text) { invalidDateTyped(text); }));
    SGIndice->setColumnWidth(0, 90);
    SGIndice->setColumnWidth(kStartColumn, 100);
    SGIndice->setColumnWidth(kEndColumn, 100);
    ui::setHint(SGIndice, hint);
    connect(SGIndice, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { SGIndiceSelectCell(row, column); });

    pEditaPeriod = new QWidget(panel);
    pEditaPeriod->setFixedHeight(25);
    cEditaPeriod = new QLabel(pEditaPeriod);
    auto* editRow = new QHBoxLayout(pEditaPeriod);
    editRow->setContentsMargins(2, 0, 2, 0);
    editRow->addWidget(new QLabel(QStringLiteral("=>"), pEditaPeriod));
    editRow->addWidget(cEditaPeriod, 1);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(title);
    titleRow->addWidget(cSequencia);
    titleRow->addStretch();
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(titleRow);
    layout->addWidget(SGIndice, 1);
    layout->addWidget(pEditaPeriod);
    Limpa();
    return panel;
}

void TFrmFormaCorrecao::Limpa()
{
    filling_ = true;
    SGIndice->clearContents();
    SGIndice->setRowCount(1);
    for (int column = 0; column < 4; ++column) SGIndice->setItem(0, column, new QTableWidgetItem());
    SGIndice->item(0, 0)->setFlags(Qt::ItemIsEnabled);
    SGIndice->setCurrentCell(-1, -1);
    filling_ = false;
}

void TFrmFormaCorrecao::Periodicidade()
{
    Limpa();
    statusPanels[1]->setText(QStringLiteral("Aguarde, atualizando periodicidade ..."));
    foxpro::Table& forms = dm_.FormaCorrecao();
    PegaIndices(forms.getString("FORMA_CH"));
    // Raw: an open end date stored as the blank mask keeps its blanks.
    PegaDatas(forms.getRaw("FORMA_DAT"));
    statusPanels[1]->setText(QStringLiteral("Concluído !"));
}

void TFrmFormaCorrecao::PegaIndices(const std::string& chain)
{
    filling_ = true;
    const std::vector<std::string> codes = splitChain(chain);
    SGIndice->setRowCount(static_cast<int>(codes.size()));
    for (int row = 0; row < SGIndice->rowCount(); ++row) {
        auto* code = new QTableWidgetItem(QString::fromStdString(codes[static_cast<std::size_t>(row)]));
        code->setFlags(Qt::ItemIsEnabled);
        SGIndice->setItem(row, 0, code);
        SGIndice->setItem(row, kStartColumn, new QTableWidgetItem());
        SGIndice->setItem(row, kEndColumn, new QTableWidgetItem());
        SGIndice->setItem(row, kRangeColumn, new QTableWidgetItem());
    }
    SGIndice->setCurrentCell(-1, -1);
    filling_ = false;
}

void TFrmFormaCorrecao::PegaDatas(const std::string& periods)
{
    std::string rest = periods;
    for (int row = 0; !IsBlank(rest); ++row) {
        if (row < SGIndice->rowCount()) {
            SGIndice->item(row, kStartColumn)->setText(shownDate(SubText(rest, 1, 10)));
            SGIndice->item(row, kEndColumn)->setText(shownDate(SubText(rest, 12, 10)));
        }
        rest = SubText(rest, 22, static_cast<int>(TextLength(rest)));
    }
}

bool TFrmFormaCorrecao::insideGrid(QWidget* widget) const
{
    return widget && (widget == SGIndice || SGIndice->isAncestorOf(widget));
}

void TFrmFormaCorrecao::focusChanged(QWidget* old, QWidget* now)
{
    if (!isVisible() || !now || now->window() != this) return;
    if (!insideGrid(old) && insideGrid(now)) SGIndiceEnter();
    // The question waits until the focus has settled on the new control.
    if (insideGrid(old) && !insideGrid(now)) QTimer::singleShot(0, this, &TFrmFormaCorrecao::SGIndiceExit);
}

void TFrmFormaCorrecao::SGIndiceEnter()
{
    pEditaPeriod->show();
    statusPanels[1]->setText(QStringLiteral("Verificando detalhes dos índices da sequência. Aguarde..."));
    guarded([&] {
        ValuesGuard guard(dm_);
        for (int row = 0; row < SGIndice->rowCount(); ++row) {
            const std::string code = SGIndice->item(row, 0)->text().toStdString();
            if (IsBlank(code)) continue;
            SGIndice->item(row, kRangeColumn)->setText(QString::fromStdString(PeriodoDoIndice(dm_, code)));
        }
    });
    statusPanels[1]->clear();
    const int row = SGIndice->currentRow();
    if (row >= 0) cEditaPeriod->setText(SGIndice->item(row, kRangeColumn)->text());
}

void TFrmFormaCorrecao::SGIndiceSelectCell(int row, int column)
{
    if (filling_ || row < 0) return;
    if (column != kStartColumn && column != kEndColumn) return;
    cEditaPeriod->setText(SGIndice->item(row, kRangeColumn)->text());
    periodicityChanged_ = true;
}

void TFrmFormaCorrecao::editarPeriodicidadeClick()
{
    SGIndice->setFocus();
    SGIndice->setCurrentCell(0, kStartColumn);
}

void TFrmFormaCorrecao::invalidDateTyped(const QString& text)
{
    QTimer::singleShot(0, this, [text] {
        ui::Prompter::current().warn(
            QStringLiteral("Atenção !"),
            QStringLiteral("\"%1\" não é uma data válida. Digite a data como dd/mm/aaaa, ou deixe o campo "
                           "vazio para uma data em aberto.")
                .arg(text));
    });
}

std::string TFrmFormaCorrecao::MontaStrSequencia()
{
    if (SGIndice->rowCount() > kMaxChainCodes)
        throw std::invalid_argument("A periodicidade guarda no máximo " + std::to_string(kMaxChainCodes) +
                                    " índices; esta sequência tem " + std::to_string(SGIndice->rowCount()) +
                                    ".");
    std::string periods;
    for (int row = 0; row < SGIndice->rowCount(); ++row) {
        for (int column : {kStartColumn, kEndColumn}) {
            QTableWidgetItem* cell = SGIndice->item(row, column);
            if (cell->text().isEmpty()) cell->setText(QString::fromLatin1(kOpenDate));
            const std::string text = cell->text().toStdString();
            if (!storableDate(text))
                throw std::invalid_argument("A data \"" + text + "\" do índice " +
                                            SGIndice->item(row, 0)->text().toStdString() + " não é válida.");
            periods += text;
            if (column == kStartColumn) periods += ':';
        }
    }
    return periods;
}

void TFrmFormaCorrecao::SGIndiceExit()
{
    if (!periodicityChanged_ || savingPeriodicity_) return;
    periodicityChanged_ = false;
    savingPeriodicity_ = true;
    // An editor still open hands its date to the grid first.
    if (insideGrid(QApplication::focusWidget()) && QApplication::focusWidget() != SGIndice)
        SGIndice->setFocus();
    pEditaPeriod->hide();
    const auto answer =
        ui::Prompter::current().ask(QStringLiteral("Gravar"), QStringLiteral("Salvar alterações ?"),
                                    ui::Prompter::Yes | ui::Prompter::No);
    if (answer != ui::Prompter::No) {
        guarded([&] {
            // Built before anything is written: a bad cell stores nothing.
            const std::string periods = MontaStrSequencia();
            foxpro::Table& forms = dm_.FormaCorrecao();
            TableCursorGuard guard(forms);
            forms.setTag("codigo");
            if (rememberedCode_.empty() || !forms.seek({rememberedCode_}))
                throw std::runtime_error("A sequência " + rememberedCode_ +
                                         " não foi encontrada; nada foi gravado.");
            forms.edit();
            forms.setString("FORMA_DAT", periods);
            forms.post();
        });
    }
    savingPeriodicity_ = false;
}

}  // namespace quintara
