#include "app/calculators/frm_calc_exe.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/modal_runner.h"
#include "app/worksheet/frm_grafico_comparativo.h"
#include "app/worksheet/frm_grafico_da_correcao.h"
#include "data/lookups.h"
#include "engine/data_module_reference.h"
#include "reports/sources_appendix.h"
#include "ui/hints.h"
#include "ui/report_preview.h"
#include "ui/wait_cursor.h"

namespace quintara {

namespace {

QPushButton* button(QWidget* parent, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

Date toDate(const QDate& d)
{
    return Date(d.day(), d.month(), d.year());
}

}  // namespace

TFrmCalcExe::TFrmCalcExe(DataModule& dm, const QuickInput& input, QWidget* parent)
    : QDialog(parent), dm_(dm), input_(input)
{
    setObjectName(QStringLiteral("TFrmCalcExe"));
    setWindowTitle(QStringLiteral("Processar Cálculo"));
    RichEdit = new QPlainTextEdit(this);
    RichEdit->setObjectName(QStringLiteral("RichEdit"));
    RichEdit->setReadOnly(true);
    RichEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    RichEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit, &QPlainTextEdit::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Copiar"), this, &TFrmCalcExe::Copiar1Click);
        menu.exec(RichEdit->viewport()->mapToGlobal(at));
    });
    auto* panelTitle = new QLabel(QStringLiteral("Painel de Resultados"), this);
    auto* statusBar = new QStatusBar(this);
    status_ = new QLabel(statusBar);
    statusBar->addWidget(status_, 1);
    statusBar->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildTop());
    layout->addWidget(panelTitle);
    layout->addWidget(RichEdit, 1);
    layout->addWidget(buildButtons());
    layout->addWidget(statusBar);
    ui::routeHints(this, status_);
    resize(760, 620);
}

QWidget* TFrmCalcExe::buildTop()
{
    auto* top = new QWidget(this);
    DatadoCalculo = new QDateEdit(top);
    DatadoCalculo->setObjectName(QStringLiteral("DatadoCalculo"));
    DatadoCalculo->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DatadoCalculo->setCalendarPopup(true);
    ProgressBar1 = new QProgressBar(top);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    auto* grid = new QGridLayout(top);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Data do Cálculo"), top), 0, 0);
    grid->addWidget(DatadoCalculo, 1, 0);
    grid->addWidget(ProgressBar1, 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("0%"), top), 0, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("50%"), top), 0, 2, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("100%"), top), 0, 3, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    return top;
}

QWidget* TFrmCalcExe::buildButtons()
{
    auto* bar = new QWidget(this);
    btInterromper = button(bar, QStringLiteral("&Calcular"));
    btGraficoComparativo = button(bar, QStringLiteral("Totais"));
    BtGraficoCorrecao = button(bar, QStringLiteral("Correção"));
    ui::setHint(BtGraficoCorrecao, QStringLiteral("Gráfico da Correção Monetária"));
    BtImprimir = button(bar, QStringLiteral("&Imprimir"));
    cbFontes = new QCheckBox(QStringLiteral("Anexar fontes dos índices"), bar);
    ui::setHint(cbFontes,
                QStringLiteral("Imprime, após o cálculo, a origem dos valores de cada índice usado."));
    btSair = button(bar, QStringLiteral("&Sair"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(btInterromper);
    row->addWidget(btGraficoComparativo);
    row->addWidget(BtGraficoCorrecao);
    row->addStretch();
    row->addWidget(cbFontes);
    row->addWidget(BtImprimir);
    row->addWidget(btSair);
    connect(btInterromper, &QPushButton::clicked, this, &TFrmCalcExe::btInterromperClick);
    connect(btGraficoComparativo, &QPushButton::clicked, this, &TFrmCalcExe::btGraficoComparativoClick);
    connect(BtGraficoCorrecao, &QPushButton::clicked, this, &TFrmCalcExe::BtGraficoCorrecaoClick);
    connect(BtImprimir, &QPushButton::clicked, this, &TFrmCalcExe::BtImprimirClick);
    connect(btSair, &QPushButton::clicked, this, &TFrmCalcExe::btSairClick);
    return bar;
}

void TFrmCalcExe::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    FormActivate();
}

void TFrmCalcExe::FormActivate()
{
    DatadoCalculo->setDate(QDate::currentDate());
    run_.reset();
    Atualizapainel();
    DatadoCalculo->setFocus();
}

void TFrmCalcExe::Atualizapainel()
{
    QStringList lines;
    for (const std::string& line : quintara::Atualizapainel(input_)) lines << QString::fromStdString(line);
    RichEdit->setPlainText(lines.join(QLatin1Char('\n')));
}

QString TFrmCalcExe::statusText() const
{
    return status_->text();
}

void TFrmCalcExe::setStatus(const std::string& text)
{
    status_->setText(QString::fromStdString(text));
    status_->repaint();
}

void TFrmCalcExe::btInterromperClick()
{
    Executarcalculo();
    btInterromper->setText(QStringLiteral("&Calcular"));
}

// Every press is a new run: its results replace the kept ones, and a run that
// stops at a failed stage or on an error leaves nothing to chart or print.
void TFrmCalcExe::Executarcalculo()
{
    run_.reset();
    Atualizapainel();
    const Date date = toDate(DatadoCalculo->date());
    ui::WaitCursor wait;
    guarded([&] {
        QuickHooks hooks;
        hooks.status = [this](const std::string& text) { setStatus(text); };
        hooks.progress = [this](int value) { ProgressBar1->setValue(value); };
        DataModuleReference reference(dm_);
        QuickRun run{input_, date, quintara::Executarcalculo(reference, input_, date, hooks), {}, {}};
        QStringList lines;
        for (const std::string& line : run.result.panelLines()) lines << QString::fromStdString(line);
        RichEdit->setPlainText(lines.join(QLatin1Char('\n')));
        if (!run.result.error.empty()) return;
        run.originSymbol = SiglaDaMoeda(dm_, input_.origin.toString());
        run.calculationSymbol =
            run.result.moedaAtual.empty() ? SiglaDaMoeda(dm_, date.toString()) : run.result.moedaAtual;
        run_ = std::move(run);
    });
}

void TFrmCalcExe::Copiar1Click()
{
    RichEdit->copy();
}

void TFrmCalcExe::btGraficoComparativoClick()
{
    if (!run_) return;
    const ItemResults& r = run_->result.results;
    TotalsChartInput in;
    in.origin = run_->input.origin;
    in.calculation = run_->calculationDate;
    in.originSymbol = run_->originSymbol;
    in.calculationSymbol = run_->calculationSymbol;
    in.original = run_->input.amount;
    in.principal = r.principal;
    in.correction = r.corrected - r.principal;
    in.ordinary = r.ordinary;
    in.compensatory = r.compensatory;
    in.fine = r.fine;
    TFrmGraficoComparativo chart(in, this);
    runModal(chart);
}

void TFrmCalcExe::BtGraficoCorrecaoClick()
{
    if (!run_) return;
    CorrectionChartInput in;
    in.origin = run_->input.origin;
    in.calculation = run_->calculationDate;
    in.originSymbol = run_->input.originCurrency;
    in.calculationSymbol = run_->calculationSymbol;
    in.original = run_->input.amount;
    in.principal = run_->result.results.principal;
    in.corrected = run_->result.results.corrected;
    in.calculationLines = run_->result.calculationLines;
    TFrmGraficoDaCorrecao chart(in, this);
    runModal(chart);
}

std::optional<reports::CalculationReportData> TFrmCalcExe::reportData() const
{
    if (!run_) return std::nullopt;
    reports::CalculationReportData data = quickReportData(*run_);
    if (cbFontes->isChecked()) {
        std::vector<std::string> codes;
        for (const std::string& line : run_->result.adjusted) {
            std::string code = line.substr(0, 10);
            code.erase(code.find_last_not_of(' ') + 1);
            codes.push_back(code);
        }
        data.appendixTitle = "Fontes dos índices";
        data.appendixLines = reports::sourcesAppendixLines(dm_, codes);
    }
    return data;
}

void TFrmCalcExe::BtImprimirClick()
{
    const std::optional<reports::CalculationReportData> data = reportData();
    if (!data) return;
    guarded([&] {
        ui::ReportPreview preview(reports::calculationReport(*data), this);
        preview.preview();
    });
}

void TFrmCalcExe::btSairClick()
{
    run_.reset();
    accept();
}

}  // namespace quintara
