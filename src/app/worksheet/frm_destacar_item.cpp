#include "app/worksheet/frm_destacar_item.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/modal_runner.h"
#include "app/worksheet/frm_grafico_comparativo.h"
#include "app/worksheet/frm_grafico_da_correcao.h"
#include "app/worksheet/item_detail_report.h"
#include "reports/sources_appendix.h"
#include "ui/report_preview.h"

namespace quintara {

TFrmDestacarItem::TFrmDestacarItem(WorksheetSession& session, int row, QWidget* parent)
    : QDialog(parent), session_(session), row_(row)
{
    setObjectName(QStringLiteral("TFrmDestacarItem"));
    setWindowTitle(QStringLiteral("Dados do Item"));
    btGraficoComparativo = new QPushButton(QStringLiteral("&Totais"), this);
    BtGraficoCorrecao = new QPushButton(QStringLiteral("&Correção"), this);
    BtImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    cbFontes = new QCheckBox(QStringLiteral("Anexar fontes dos índices"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cbFontes);
    for (QPushButton* b : {btGraficoComparativo, BtGraficoCorrecao, BtImprimir}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildDataPanel());
    layout->addWidget(buildMemoPanel(), 1);
    layout->addLayout(buttons);
    connect(btGraficoComparativo, &QPushButton::clicked, this, &TFrmDestacarItem::btGraficoComparativoClick);
    connect(BtGraficoCorrecao, &QPushButton::clicked, this, &TFrmDestacarItem::BtGraficoCorrecaoClick);
    connect(BtImprimir, &QPushButton::clicked, this, &TFrmDestacarItem::BtImprimirClick);
    resize(1180, 700);
}

QLabel* TFrmDestacarItem::valueLabel(const char* name)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::StyledPanel);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label->setMinimumWidth(120);
    return label;
}

QWidget* TFrmDestacarItem::buildDataPanel()
{
    auto* panel = new QWidget(this);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    const auto add = [this](QFormLayout* form, const QString& caption, QLabel*& label, const char* name) {
        label = valueLabel(name);
        form->addRow(caption, label);
    };
    add(left, QStringLiteral("Descrição do Item"), Descricao, "Descricao");
    add(left, QStringLiteral("Data Origem"), DataOrigem, "DataOrigem");
    add(left, QStringLiteral("Valor Original"), ValorOriginal, "ValorOriginal");
    add(left, QStringLiteral("Quantidade"), Quantidade, "Quantidade");
    add(left, QStringLiteral("Indexador"), Indexador, "Indexador");
    add(left, QStringLiteral("Valor "), ValorIndexador, "ValorIndexador");
    add(left, QStringLiteral("Forma de Correção"), FormadeCorrecao, "FormadeCorrecao");
    add(left, QStringLiteral("Usar tabela cheia ?"), IndiceCheio, "IndiceCheio");
    add(left, QStringLiteral("Usar Conv. Automático da Moeda ?"), Conversor, "Conversor");
    DatadoCalculoCap = valueLabel("DatadoCalculoCap");
    DatadoCalculoCap->setFrameShape(QFrame::NoFrame);
    right->addRow(DatadoCalculoCap);
    add(right, QStringLiteral("Juros Ordinários %"), JurosOrdinarios, "JurosOrdinarios");
    add(right, QStringLiteral("Juros Compensatórios %"), JurosCompensatorios, "JurosCompensatorios");
    add(right, QStringLiteral("Multa %"), Multa, "Multa");
    add(right, QStringLiteral("Honorários %"), Honorarios, "Honorarios");
    add(right, QString(), HonorariosValor, "HonorariosValor");
    add(right, QStringLiteral("Valor Principal"), ValorPrincipal, "ValorPrincipal");
    add(right, QStringLiteral("Correção Monetária"), CorrecaoMonetaria, "CorrecaoMonetaria");
    add(right, QStringLiteral("Valor Total Corrigido"), ValorTotal, "ValorTotal");
    TotalizarComo = valueLabel("TotalizarComo");
    TotalizarComo->setFrameShape(QFrame::NoFrame);
    TotalizarComo->setText(QStringLiteral("Totalizar como Dívida"));
    right->addRow(TotalizarComo);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(left, 1);
    row->addLayout(right, 1);
    return panel;
}

QWidget* TFrmDestacarItem::buildMemoPanel()
{
    auto* panel = new QWidget(this);
    RichEdit1 = new QPlainTextEdit(panel);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* sequence = new QGroupBox(QStringLiteral("Sequência de Índices para o Cálculo"), panel);
    ListBox1 = new QListWidget(sequence);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* inner = new QVBoxLayout(sequence);
    inner->addWidget(ListBox1);
    sequence->setFixedWidth(320);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(RichEdit1, 1);
    row->addWidget(sequence);
    return panel;
}

void TFrmDestacarItem::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    FormActivate();
}

void TFrmDestacarItem::FormActivate()
{
    guarded([&] {
        detail_ = itemDetail(session_.dm, session_.grid, session_.caseNumber, row_);
        if (detail_.shown) showDetail();
    });
}

void TFrmDestacarItem::showDetail()
{
    setWindowTitle(QString::fromStdString(detail_.caption));
    const auto set = [](QLabel* label, const std::string& text) {
        label->setText(QString::fromStdString(text));
    };
    set(Descricao, detail_.Descricao);
    set(DataOrigem, detail_.DataOrigem);
    set(ValorOriginal, detail_.ValorOriginal);
    set(Quantidade, detail_.Quantidade);
    set(Indexador, detail_.Indexador);
    set(ValorIndexador, detail_.ValorIndexador);
    set(FormadeCorrecao, detail_.FormadeCorrecao);
    set(DatadoCalculoCap, detail_.DatadoCalculoCap);
    set(JurosOrdinarios, detail_.JurosOrdinarios);
    set(JurosCompensatorios, detail_.JurosCompensatorios);
    set(Multa, detail_.Multa);
    set(Honorarios, detail_.Honorarios);
    set(HonorariosValor, detail_.HonorariosValor);
    set(Conversor, detail_.Conversor);
    set(IndiceCheio, detail_.IndiceCheio);
    set(ValorPrincipal, detail_.ValorPrincipal);
    set(CorrecaoMonetaria, detail_.CorrecaoMonetaria);
    set(ValorTotal, detail_.ValorTotal);
    set(TotalizarComo, detail_.TotalizarComo);
    QStringList lines;
    for (const std::string& line : detail_.memo.lines) lines << QString::fromStdString(line);
    RichEdit1->setPlainText(lines.join(QLatin1Char('\n')));
    ListBox1->clear();
    for (const std::string& line : detail_.memo.sequence) ListBox1->addItem(QString::fromStdString(line));
}

void TFrmDestacarItem::btGraficoComparativoClick()
{
    if (!detail_.shown) return;
    const std::optional<TotalsChartInput> input = itemTotalsChart(session_.grid, row_, detail_);
    if (!input) return;  // an item never calculated has no chart
    TFrmGraficoComparativo chart(*input, this);
    runModal(chart);
}

void TFrmDestacarItem::BtGraficoCorrecaoClick()
{
    if (!detail_.shown) return;
    const std::optional<CorrectionChartInput> input = itemCorrectionChart(session_.grid, row_, detail_);
    if (!input) return;
    TFrmGraficoDaCorrecao chart(*input, this);
    runModal(chart);
}

reports::CalculationReportData TFrmDestacarItem::reportData() const
{
    reports::CalculationReportData data = itemReportData(session_, row_, detail_);
    if (cbFontes->isChecked()) {
        // Each sequence line starts with its index code.
        std::vector<std::string> codes;
        for (const std::string& line : detail_.memo.sequence) {
            const std::size_t start = line.find_first_not_of(' ');
            if (start == std::string::npos) continue;
            codes.push_back(line.substr(start, line.find(' ', start) - start));
        }
        data.appendixTitle = "Fontes dos índices";
        data.appendixLines = reports::sourcesAppendixLines(session_.dm, codes);
    }
    return data;
}

void TFrmDestacarItem::BtImprimirClick()
{
    if (!detail_.shown) return;
    guarded([&] {
        ui::ReportPreview preview(reports::calculationReport(reportData()), this);
        preview.preview();
    });
}

}  // namespace quintara
