#include "app/reference/frm_testa_sequencia.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "app/app_errors.h"
#include "app/reference/forms_table.h"
#include "app/reference/sequence_tester_checks.h"
#include "data/data_module.h"
#include "ui/date_edit.h"
#include "ui/wait_cursor.h"

namespace quintara {

namespace {

// A date field read for the test: an empty or incomplete one is an error.
Date testDate(const ui::DateEdit* field, const char* caption)
{
    const std::optional<Date> date = field->tryDate();
    if (!date || date->isEmpty())
        throw std::invalid_argument("'" + field->text().toStdString() + "' não é uma data válida (" +
                                    caption + ").");
    return *date;
}

QLabel* picture(QWidget* parent, QStyle::StandardPixmap icon)
{
    auto* label = new QLabel(parent);
    label->setPixmap(parent->style()->standardIcon(icon).pixmap(48, 48));
    label->setFixedSize(52, 52);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

TFrmTestaSequencia::TFrmTestaSequencia(DataModule& dm, std::string formCode, QWidget* parent)
    : QDialog(parent), dm_(dm), formCode_(std::move(formCode))
{
    setObjectName(QStringLiteral("TFrmTestaSequencia"));
    setWindowTitle(QStringLiteral("Teste da Sequência p/Cálculo"));

    DataTit = new ui::DateEdit(this);
    DataCalc = new ui::DateEdit(this);
    chbVerValores = new QCheckBox(QStringLiteral("Verificar valores dos índices "), this);
    chbMostrarValores = new QCheckBox(QStringLiteral("Mostrar Valores"), this);
    chbMoeda = new QCheckBox(QStringLiteral("Incluir Conversões da Moeda Nacional."), this);
    chbIntervaloDatas = new QCheckBox(QStringLiteral("Verificar Intervalo entre datas"), this);
    ListBox = new QListWidget(this);
    ListBox->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    BtTestar = new QPushButton(QStringLiteral("Testar"), this);
    BtTestar->setDefault(true);
    BtRetornar = new QPushButton(QStringLiteral("Retornar"), this);
    BtRetornar->setAutoDefault(false);
    Image1 = picture(this, QStyle::SP_MessageBoxWarning);
    Image2 = picture(this, QStyle::SP_DialogApplyButton);

    auto* dates = new QFormLayout;
    dates->addRow(QStringLiteral("Data do Título"), DataTit);
    dates->addRow(QStringLiteral("Data do Cálculo"), DataCalc);
    auto* boxes = new QVBoxLayout;
    for (QCheckBox* box : {chbVerValores, chbMostrarValores, chbMoeda, chbIntervaloDatas})
        boxes->addWidget(box);
    auto* top = new QHBoxLayout;
    top->addLayout(dates);
    top->addSpacing(16);
    top->addLayout(boxes);
    top->addStretch();
    top->addWidget(Image1);
    top->addWidget(Image2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtTestar);
    buttons->addWidget(BtRetornar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ListBox, 1);
    layout->addLayout(buttons);
    resize(640, 560);

    connect(BtTestar, &QPushButton::clicked, this, &TFrmTestaSequencia::BtTestarClick);
    connect(BtRetornar, &QPushButton::clicked, this, &QDialog::accept);

    guarded([&] {
        foxpro::Table& forms = dm_.FormaCorrecao();
        TableCursorGuard guard(forms);
        forms.setTag("codigo");
        if (forms.seek({formCode_})) chain_ = forms.getString("FORMA_CH");
    });
}

void TFrmTestaSequencia::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmTestaSequencia::FormActivate()
{
    IniciaListBox();
    DataTit->setFocus();
}

void TFrmTestaSequencia::IniciaListBox()
{
    Image2->hide();
    Image1->show();
    ListBox->clear();
    addLines(SequenceTester::openingLines(chain_));
}

void TFrmTestaSequencia::addLines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) ListBox->addItem(QString::fromStdString(line));
}

int TFrmTestaSequencia::ruleWidth() const
{
    const int charWidth = std::max(1, ListBox->fontMetrics().horizontalAdvance(QLatin1Char('-')));
    return std::max(20, ListBox->viewport()->width() / charWidth - 2);
}

void TFrmTestaSequencia::BtTestarClick()
{
    IniciaListBox();
    ui::WaitCursor wait;
    SequenceTestOptions options;
    options.checkValues = chbVerValores->isChecked();
    options.showValues = chbMostrarValores->isChecked();
    options.currencyChanges = chbMoeda->isChecked();
    options.checkDailyDates = chbIntervaloDatas->isChecked();
    options.ruleWidth = ruleWidth();
    SequenceTester tester(dm_, options);
    guarded([&] {
        const Date title = testDate(DataTit, "Data do Título");
        const Date calculation = testDate(DataCalc, "Data do Cálculo");
        addLines(tester.run(formCode_, title, calculation));
    });
    if (tester.verdictOk()) {
        Image1->hide();
        Image2->show();
    }
    ListBox->scrollToBottom();
}

QStringList TFrmTestaSequencia::lines() const
{
    QStringList texts;
    for (int row = 0; row < ListBox->count(); ++row) texts << ListBox->item(row)->text();
    return texts;
}

}  // namespace quintara
