#include "app/worksheet/frm_totais_planilha.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "app/worksheet/totals_chart.h"
#include "app/worksheet/worksheet_session.h"
#include "data/format_text.h"
#include "data/text_routines.h"
#include "ui/hints.h"
#include "ui/prompter.h"
#include "ui/report_preview.h"

namespace quintara {

namespace {

QString amountText(Amount value)
{
    return QString::fromStdString(formatText("%19.2n", {value})).trimmed();
}

QLabel* valueLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(130);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

reports::TotalsGroup reportGroup(const GroupTotals& g)
{
    return {g.items, g.principal,  g.correction, g.ordinary, g.compensatory,
            g.fine,  g.subtotal(), g.fees,       g.total()};
}

std::vector<reports::TotalsListItem> reportItems(const std::vector<TotalsItem>& items)
{
    std::vector<reports::TotalsListItem> listed;
    for (const TotalsItem& i : items)
        listed.push_back({i.number, i.originDate, i.description, i.original, i.principal, i.correction,
                          i.interest, i.fine, i.total});
    return listed;
}

void previewReport(const reports::PageModel& model, QWidget* parent)
{
    ui::ReportPreview(model, parent).preview();
}

}  // namespace

TFrmTotaisPlanilha::TFrmTotaisPlanilha(WorksheetSession& session, QWidget* parent)
    : QDialog(parent), session_(session), openChart_(openTotalsChart), viewReport_(previewReport)
{
    buildLayout();
    connect(sbGraficoDivida, &QPushButton::clicked, this, &TFrmTotaisPlanilha::sbGraficoDividaClick);
    connect(sbGraficoAmortizacao, &QPushButton::clicked, this,
            &TFrmTotaisPlanilha::sbGraficoAmortizacaoClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmTotaisPlanilha::BitBtn1Click);
    connect(btSair, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmTotaisPlanilha::buildLayout()
{
    auto* groups = new QHBoxLayout;
    const auto panel = [&](const QString& title, std::vector<QLabel**> labels) {
        auto* box = new QGroupBox(title, this);
        auto* form = new QFormLayout(box);
        const char* captions[] = {"Quantidade de Itens ",
                                  "Total Valor Principal ",
                                  "Correção Monetária ",
                                  "Juros Ordinários ",
                                  "Juros Compensatórios ",
                                  "Multa ",
                                  "Sub-Total ",
                                  "Honorários ",
                                  "Total Dívida "};
        for (std::size_t i = 0; i < labels.size(); ++i) {
            *labels[i] = valueLabel(box);
            form->addRow(QString::fromUtf8(captions[i]), *labels[i]);
        }
        groups->addWidget(box);
    };
    panel(QStringLiteral("Dívida"),
          {&lbSItens, &lbSPrincipal, &lbSCorrecaoMonetaria, &lbSJurosOrdinarios, &lbSJurosCompensatorios,
           &lbSMulta, &lbSSubTotal, &lbSHonorarios, &lbSTotal});
    panel(QStringLiteral("Amortização"),
          {&lbDItens, &lbDPrincipal, &lbDCorrecaoMonetaria, &lbDJurosOrdinarios, &lbDJurosCompensatorios,
           &lbDMulta, &lbDSubtotal, &lbDHonorarios, &lbDTotal});

    auto* balance = new QFormLayout;
    cDataCalculo = new QLabel(this);
    lbTotCustas = valueLabel(this);
    lbTotalGeral = valueLabel(this);
    QFont strong = lbTotalGeral->font();
    strong.setBold(true);
    lbTotalGeral->setFont(strong);
    balance->addRow(QStringLiteral("Data do Cálculo:"), cDataCalculo);
    balance->addRow(QStringLiteral("Custas "), lbTotCustas);
    balance->addRow(QStringLiteral("Dívida - Amortização + Custas ="), lbTotalGeral);

    sbGraficoDivida = new QPushButton(QStringLiteral("Gráfico Dívida"), this);
    ui::setHint(sbGraficoDivida, QStringLiteral("Gráfico dos totais da dívida"));
    sbGraficoAmortizacao = new QPushButton(QStringLiteral("Gráfico Amortização"), this);
    ui::setHint(sbGraficoAmortizacao, QStringLiteral("Gráfico dos totais da amortização"));
    BitBtn1 = new QPushButton(QStringLiteral("&Imprimir"), this);
    ui::setHint(BitBtn1, QStringLiteral("Imprimir os totais da planilha"));
    btSair = new QPushButton(QStringLiteral("&Sair"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sbGraficoDivida);
    buttons->addWidget(sbGraficoAmortizacao);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(btSair);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    StatusBar1 = new QLabel(status);
    auto* hint = new QLabel(status);
    status->addWidget(StatusBar1, 1);
    status->addWidget(hint, 2);
    ui::routeHints(this, hint);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(balance);
    layout->addLayout(buttons);
    layout->addWidget(status);
}

void TFrmTotaisPlanilha::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Activation runs once per showing, after the window is on screen.
    QTimer::singleShot(0, this, &TFrmTotaisPlanilha::FormActivate);
}

void TFrmTotaisPlanilha::FormActivate()
{
    if (activating_) return;
    activating_ = true;
    caseNumber_ = session_.caseNumber;
    calculationDate_ = session_.calculationDate;
    setWindowTitle(QStringLiteral("Totais Planilha (Processo nº") + QString::fromStdString(caseNumber_) +
                   QStringLiteral(")"));
    cDataCalculo->setText(QString::fromStdString(calculationDate_));
    StatusBar1->setText(QStringLiteral("Aguarde, calculando ..."));
    costs_.clear();
    names_.clear();
    totals_ = worksheetTotals(session_.grid, {});
    showTotals();
    try {
        if (session_.hasCase()) {
            costs_ = caseCosts(session_.dm, caseNumber_);
            names_ = caseNames(session_.dm, caseNumber_);
        }
        totals_ = worksheetTotals(session_.grid, costs_);
    } catch (const std::exception& e) {
        ui::Prompter::current().error(QStringLiteral("Atenção !"), QString::fromStdString(e.what()));
    }
    showTotals();
    StatusBar1->setText(QStringLiteral("Concluído!"));
    activating_ = false;
}

void TFrmTotaisPlanilha::showTotals()
{
    const auto show = [](const GroupTotals& g, std::initializer_list<QLabel*> labels) {
        const Amount values[] = {g.principal, g.correction, g.ordinary, g.compensatory,
                                 g.fine,      g.subtotal(), g.fees,     g.total()};
        auto label = labels.begin();
        (*label++)->setText(QString::fromStdString(ZeroPadNumber(g.items, 3)));
        for (Amount value : values) (*label++)->setText(amountText(value));
    };
    show(totals_.debts, {lbSItens, lbSPrincipal, lbSCorrecaoMonetaria, lbSJurosOrdinarios,
                         lbSJurosCompensatorios, lbSMulta, lbSSubTotal, lbSHonorarios, lbSTotal});
    show(totals_.payments, {lbDItens, lbDPrincipal, lbDCorrecaoMonetaria, lbDJurosOrdinarios,
                            lbDJurosCompensatorios, lbDMulta, lbDSubtotal, lbDHonorarios, lbDTotal});
    lbTotCustas->setText(amountText(totals_.costs));
    lbTotalGeral->setText(amountText(totals_.generalTotal()));
}

TotalsChartRequest TFrmTotaisPlanilha::chartRequest(bool debts) const
{
    const GroupTotals& g = debts ? totals_.debts : totals_.payments;
    TotalsChartRequest request;
    request.input.principal = g.principal;
    request.input.correction = g.correction;
    request.input.ordinary = g.ordinary;
    request.input.compensatory = g.compensatory;
    request.input.fine = g.fine;
    request.input.fees = g.fees;
    request.titleLines = {"Processo nº" + caseNumber_ + (debts ? " [Dívida]" : " [Amortização]"),
                          "Data do Cálculo = " + calculationDate_};
    return request;
}

void TFrmTotaisPlanilha::openChart(bool debts)
{
    openChart_(chartRequest(debts), this);
    FormActivate();
}

void TFrmTotaisPlanilha::sbGraficoDividaClick()
{
    openChart(true);
}

void TFrmTotaisPlanilha::sbGraficoAmortizacaoClick()
{
    openChart(false);
}

reports::WorksheetTotalsReport TFrmTotaisPlanilha::reportData() const
{
    reports::WorksheetTotalsReport r;
    r.caseNumber = caseNumber_;
    r.protocol = session_.header.LinhaProtocolo;
    r.responsible = session_.header.ResponsavelProcesso;
    r.description = session_.header.DescricaoProcesso;
    r.opening = session_.header.LinhaAbertura;
    r.annotations = session_.header.AnotacoesProcesso;
    r.calculationDate = calculationDate_;
    r.debts = reportGroup(totals_.debts);
    r.payments = reportGroup(totals_.payments);
    r.costs = totals_.costs;
    r.generalTotal = totals_.generalTotal();
    r.names = names_;
    const TotalsItems items = totalsItems(session_.grid);
    r.debtItems = reportItems(items.debts);
    r.paymentItems = reportItems(items.payments);
    r.costItems = costs_;
    return r;
}

void TFrmTotaisPlanilha::BitBtn1Click()
{
    try {
        const reports::PageModel model = reports::worksheetTotalsReport(reportData());
        viewReport_(model, this);
    } catch (const std::exception& e) {
        ui::Prompter::current().error(QStringLiteral("Atenção !"), QString::fromStdString(e.what()));
    }
    FormActivate();
}

}  // namespace quintara
