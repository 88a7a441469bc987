#include "app/calculators/frm_consorcio.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/calculators/percent_field.h"
#include "data/format_text.h"
#include "data/lookups.h"
#include "engine/consortium.h"
#include "engine/exact_decimal.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "ui/hints.h"
#include "ui/prompter.h"
#include "ui/report_preview.h"

namespace quintara {

namespace {

const QString kAlert = QStringLiteral("Alerta !");
const QString kZero = QStringLiteral("0,00");

QSpinBox* countField(QWidget* parent, const char* name)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    // Negative counts can be typed so that they are refused with a message.
    box->setRange(-9999, 9999);
    return box;
}

QLabel* resultLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(kZero, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

TFrmConsorcio::TFrmConsorcio(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmConsorcio"));
    setWindowTitle(QStringLiteral("Cálculo de Consórcio"));

    auto* inputs = new QWidget(this);
    buildFields(inputs);

    btCalcular = new QPushButton(QStringLiteral("&Calcular"), this);
    btCalcular->setDefault(true);
    BtImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    btSair = new QPushButton(QStringLiteral("&Sair"), this);
    ui::setHint(btCalcular, QStringLiteral("Calcula as parcelas, os encargos e o total da dívida"));
    ui::setHint(BtImprimir, QStringLiteral("Visualiza e imprime o demonstrativo do cálculo"));
    ui::setHint(btSair, QStringLiteral("Fecha a janela"));
    connect(btCalcular, &QPushButton::clicked, this, &TFrmConsorcio::btCalcularClick);
    connect(BtImprimir, &QPushButton::clicked, this, &TFrmConsorcio::BtImprimirClick);
    connect(btSair, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btCalcular);
    buttons->addWidget(BtImprimir);
    buttons->addWidget(btSair);

    StatusBar = new QLabel(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFrameShape(QFrame::StyledPanel);
    StatusBar->setMinimumHeight(StatusBar->fontMetrics().height() + 6);
    ui::routeHints(this, StatusBar);

    auto* columns = new QHBoxLayout;
    columns->addWidget(inputs, 1);
    columns->addWidget(buildResults(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar);

    DatadoCalculo->setDate(Date::today());
    LimpaDados();
    resize(900, 600);
}

void TFrmConsorcio::buildFields(QWidget* page)
{
    auto* plan = new QGroupBox(QStringLiteral("Plano"), page);
    NomeConsorciado = new QLineEdit(plan);
    NomeConsorciado->setObjectName(QStringLiteral("NomeConsorciado"));
    ObjetoConsorcio = new QLineEdit(plan);
    ObjetoConsorcio->setObjectName(QStringLiteral("ObjetoConsorcio"));
    ValordoBem = new ui::AmountEdit(plan);
    ValordoBem->setObjectName(QStringLiteral("ValordoBem"));
    ParcelasPlano = countField(plan, "ParcelasPlano");
    auto* planForm = new QFormLayout(plan);
    planForm->addRow(QStringLiteral("Nome do Consorciado"), NomeConsorciado);
    planForm->addRow(QStringLiteral("Objeto do Consórcio"), ObjetoConsorcio);
    planForm->addRow(QStringLiteral("Valor do Bem"), ValordoBem);
    planForm->addRow(QStringLiteral("Nº total de parcelas"), ParcelasPlano);

    auto* rates = new QGroupBox(QStringLiteral("Taxas do Consórcio"), page);
    TAxaAdministrativa = percentField(rates, "TAxaAdministrativa");
    FundodeReserva = percentField(rates, "FundodeReserva");
    SegurodeVida = percentField(rates, "SegurodeVida");
    JurosAno = percentField(rates, "JurosAno", 2);
    Multa = percentField(rates, "Multa", 2);
    Residual = percentField(rates, "Residual");
    auto* ratesForm = new QFormLayout(rates);
    ratesForm->addRow(QStringLiteral("Taxa Administrativa (%)"), TAxaAdministrativa);
    ratesForm->addRow(QStringLiteral("Fundo de Reserva (%)"), FundodeReserva);
    ratesForm->addRow(QStringLiteral("Seguro de Vida (%)"), SegurodeVida);
    ratesForm->addRow(QStringLiteral("Juros ao Ano (%)"), JurosAno);
    ratesForm->addRow(QStringLiteral("Multa (%)"), Multa);
    ratesForm->addRow(QStringLiteral("Valor Residual (%)"), Residual);

    auto* situation = new QGroupBox(QStringLiteral("Situação de Pagamento"), page);
    VencimentoParcela1 = new ui::DateEdit(situation);
    VencimentoParcela1->setObjectName(QStringLiteral("VencimentoParcela1"));
    ParcelasPagas = countField(situation, "ParcelasPagas");
    DatadoCalculo = new ui::DateEdit(situation);
    DatadoCalculo->setObjectName(QStringLiteral("DatadoCalculo"));
    auto* situationForm = new QFormLayout(situation);
    situationForm->addRow(QStringLiteral("Vencimento da 1º Parcela"), VencimentoParcela1);
    situationForm->addRow(QStringLiteral("Nº de parcelas pagas"), ParcelasPagas);
    situationForm->addRow(QStringLiteral("Data para o Cálculo"), DatadoCalculo);

    ui::setHint(NomeConsorciado, QStringLiteral("Nome do participante do consórcio"));
    ui::setHint(ObjetoConsorcio, QStringLiteral("Bem objeto do consórcio"));
    ui::setHint(ValordoBem, QStringLiteral("Valor atual de mercado do bem"));
    ui::setHint(ParcelasPlano, QStringLiteral("Número total de parcelas do plano"));
    ui::setHint(TAxaAdministrativa, QStringLiteral("Taxa de administração sobre cada parcela"));
    ui::setHint(FundodeReserva, QStringLiteral("Fundo de reserva sobre cada parcela"));
    ui::setHint(SegurodeVida, QStringLiteral("Seguro de vida sobre o valor do bem, em cada parcela"));
    ui::setHint(JurosAno, QStringLiteral("Juros ao ano sobre as parcelas em atraso"));
    ui::setHint(Multa, QStringLiteral("Multa sobre cada parcela em atraso"));
    ui::setHint(Residual, QStringLiteral("Percentual do bem pago como valor residual"));
    ui::setHint(VencimentoParcela1, QStringLiteral("Data de vencimento da primeira parcela"));
    ui::setHint(ParcelasPagas, QStringLiteral("Quantidade de parcelas já pagas"));
    ui::setHint(DatadoCalculo, QStringLiteral("Data até a qual o cálculo é feito"));

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plan);
    layout->addWidget(rates);
    layout->addWidget(situation);
    layout->addStretch();
}

QWidget* TFrmConsorcio::buildResults()
{
    auto* box = new QGroupBox(QStringLiteral("Resultado do Cálculo"), this);
    lbValorCadaParcela = resultLabel(box, "lbValorCadaParcela");
    lbQuantidadeVencidas = resultLabel(box, "lbQuantidadeVencidas");
    lbTotalVencidas = resultLabel(box, "lbTotalVencidas");
    lbTotalJuros = resultLabel(box, "lbTotalJuros");
    lbTotalMulta = resultLabel(box, "lbTotalMulta");
    lbSubTotal1 = resultLabel(box, "lbSubTotal1");
    lbQuantAVencer = resultLabel(box, "lbQuantAVencer");
    lbTotalaVencer = resultLabel(box, "lbTotalaVencer");
    lbTotalResidual = resultLabel(box, "lbTotalResidual");
    lbTotalDivida = resultLabel(box, "lbTotalDivida");
    const auto withCount = [box](QLabel* count, QLabel* total) {
        auto* row = new QWidget(box);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(count);
        layout->addWidget(total, 1);
        return row;
    };
    ListaVencidas = new QListWidget(box);
    ListaVencidas->setObjectName(QStringLiteral("ListaVencidas"));
    ListaVencidas->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ui::setHint(ListaVencidas, QStringLiteral("Vencimentos das parcelas em atraso"));

    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Valor de Cada Parcela (Atualizado)"), lbValorCadaParcela);
    form->addRow(QStringLiteral("Parcelas Vencidas"), withCount(lbQuantidadeVencidas, lbTotalVencidas));
    form->addRow(QStringLiteral("Valor dos Juros"), lbTotalJuros);
    form->addRow(QStringLiteral("Valor da Multa"), lbTotalMulta);
    form->addRow(QStringLiteral("Subtotal (vencido) =>"), lbSubTotal1);
    form->addRow(QStringLiteral("Parcelas à vencer"), withCount(lbQuantAVencer, lbTotalaVencer));
    form->addRow(QStringLiteral("Valor Residual"), lbTotalResidual);
    form->addRow(QStringLiteral("Total da Dívida (Quitação) =>"), lbTotalDivida);
    form->addRow(QStringLiteral("Vencimentos em atraso"), ListaVencidas);
    return box;
}

void TFrmConsorcio::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmConsorcio::FormActivate()
{
    LimpaDados();
}

void TFrmConsorcio::LimpaDados()
{
    // A form with a value of the good keeps the person's entries.
    const std::optional<Amount> value = [this]() -> std::optional<Amount> {
        try {
            return ValordoBem->amount();
        } catch (const std::invalid_argument&) {
            return std::nullopt;
        }
    }();
    if (value && *value > Amount()) return;
    NomeConsorciado->clear();
    ObjetoConsorcio->clear();
    ValordoBem->setAmount(Amount());
    ParcelasPlano->setValue(24);
    VencimentoParcela1->setDate(Date());
    ParcelasPagas->setValue(0);
    for (QLineEdit* rate : {TAxaAdministrativa, FundodeReserva, SegurodeVida, Residual})
        rate->setText(QStringLiteral("0,000000"));
    JurosAno->setText(kZero);
    Multa->setText(kZero);
    for (QLabel* label : {lbValorCadaParcela, lbTotalVencidas, lbTotalJuros, lbTotalMulta, lbSubTotal1,
                          lbTotalaVencer, lbTotalResidual, lbTotalDivida})
        label->setText(kZero);
    lbQuantidadeVencidas->clear();
    lbQuantAVencer->clear();
    ListaVencidas->clear();
    calculated_.reset();
}

QWidget* TFrmConsorcio::focusTarget(int field) const
{
    switch (static_cast<ConsortiumField>(field)) {
        case ConsortiumField::DatadoCalculo:
            return DatadoCalculo;
        case ConsortiumField::VencimentoParcela1:
            return VencimentoParcela1;
        case ConsortiumField::ValordoBem:
            return ValordoBem;
        case ConsortiumField::ParcelasPlano:
            return ParcelasPlano;
        case ConsortiumField::ParcelasPagas:
            return ParcelasPagas;
        case ConsortiumField::TAxaAdministrativa:
            return TAxaAdministrativa;
    }
    return nullptr;
}

std::optional<ConsortiumInputs> TFrmConsorcio::readInputs()
{
    const auto refuse = [this](QWidget* field, const QString& message) {
        ui::Prompter::current().warn(kAlert, message);
        field->setFocus();
        return std::nullopt;
    };
    ConsortiumInputs in;
    // A date that is typed but not a real date is no date the calculation can
    // compare: it is refused with the message for a wrong pair of dates.
    const QString badDates = QStringLiteral("Data do Calculo ou data do vencimento da 1ª parcela inválida!");
    for (ui::DateEdit* field : {DatadoCalculo, VencimentoParcela1}) {
        const std::optional<Date> date = field->tryDate();
        if (!date) return refuse(field, badDates);
        (field == DatadoCalculo ? in.datadoCalculo : in.vencimentoParcela1) = *date;
    }
    try {
        in.valordoBem = ValordoBem->amount();
    } catch (const std::invalid_argument&) {
        return refuse(ValordoBem, QStringLiteral("Valor do Bem não definido ou inválido !"));
    }
    in.parcelasPlano = ParcelasPlano->value();
    in.parcelasPagas = ParcelasPagas->value();
    const std::pair<QLineEdit*, mpq_class*> rates[] = {{TAxaAdministrativa, &in.taxaAdministrativa},
                                                       {FundodeReserva, &in.fundodeReserva},
                                                       {SegurodeVida, &in.seguroDeVida},
                                                       {JurosAno, &in.jurosAno},
                                                       {Multa, &in.multa},
                                                       {Residual, &in.residual}};
    for (const auto& [field, target] : rates) {
        const std::optional<mpq_class> value = percentValue(field);
        if (!value) return refuse(field, QStringLiteral("Percentual inválido: ") + field->text());
        *target = *value;
    }
    return in;
}

bool TFrmConsorcio::VerificaDados()
{
    const std::optional<ConsortiumInputs> in = readInputs();
    if (!in) return false;
    if (const auto refusal = quintara::VerificaDados(*in)) {
        ui::Prompter::current().warn(kAlert, QString::fromStdString(refusal->message));
        if (QWidget* field = focusTarget(static_cast<int>(refusal->focus))) field->setFocus();
        return false;
    }
    return true;
}

void TFrmConsorcio::btCalcularClick()
{
    if (!VerificaDados()) return;
    const ConsortiumInputs in = *readInputs();
    const ConsortiumResults results = calculateConsortium(in, dm_.uses360DayYear() ? 360 : 365);
    showResults(results, SiglaDaMoeda(dm_, in.datadoCalculo.toString()));
    calculated_.reset();
    calculated_ = reportData();
}

void TFrmConsorcio::showResults(const ConsortiumResults& results, const std::string& symbol)
{
    ListaVencidas->clear();
    for (Date due : results.overdue)
        ListaVencidas->addItem(QString::fromStdString(formatText("%10s", {due.toString()})));
    for (const ConsortiumResultLine& line : consortiumResultLines(results, symbol))
        if (auto* label = findChild<QLabel*>(QString::fromStdString(line.label)))
            label->setText(QString::fromStdString(line.text));
}

reports::ConsortiumReportData TFrmConsorcio::reportData() const
{
    if (calculated_) return *calculated_;
    const auto text = [](const QWidget* w) {
        if (const auto* date = qobject_cast<const ui::DateEdit*>(w)) return date->text().toStdString();
        if (const auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text().toStdString();
        if (const auto* spin = qobject_cast<const QSpinBox*>(w)) return std::to_string(spin->value());
        return qobject_cast<const QLabel*>(w)->text().toStdString();
    };
    reports::ConsortiumReportData d;
    d.dataDoCalculo = text(DatadoCalculo);
    d.nomeConsorciado = text(NomeConsorciado);
    d.objetoConsorcio = text(ObjetoConsorcio);
    d.valorAtual = text(ValordoBem);
    d.parcelasPlano = text(ParcelasPlano);
    d.taxaAdministrativa = text(TAxaAdministrativa);
    d.fundoDeReserva = text(FundodeReserva);
    d.seguroDeVida = text(SegurodeVida);
    d.jurosAno = text(JurosAno);
    d.multa = text(Multa);
    d.residual = text(Residual);
    d.vencimentoParcela1 = text(VencimentoParcela1);
    d.parcelasPagas = text(ParcelasPagas);
    d.valorCadaParcela = text(lbValorCadaParcela);
    d.quantidadeVencidas = text(lbQuantidadeVencidas);
    d.totalVencidas = text(lbTotalVencidas);
    d.totalJuros = text(lbTotalJuros);
    d.totalMulta = text(lbTotalMulta);
    d.subTotal = text(lbSubTotal1);
    d.quantidadeAVencer = text(lbQuantAVencer);
    d.totalAVencer = text(lbTotalaVencer);
    d.totalResidual = text(lbTotalResidual);
    d.totalDivida = text(lbTotalDivida);
    return d;
}

void TFrmConsorcio::BtImprimirClick()
{
    ui::ReportPreview preview(reports::consortiumReport(reportData()), this);
    preview.preview();
}

}  // namespace quintara
