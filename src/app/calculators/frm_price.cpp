#include "app/calculators/frm_price.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/lookups.h"
#include "engine/price_table.h"
#include "ui/amount_edit.h"
#include "ui/hints.h"
#include "ui/prompter.h"
#include "ui/report_preview.h"

namespace quintara {

namespace {

const QString kPlaceholder = QStringLiteral(
    "Informe o valor, o prazo e a taxa de juros e clique em \"Calcular agora\" para obter o valor "
    "da prestação mensal.");

QLineEdit* shortField(QWidget* parent, const char* name, int maxLength)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(maxLength);
    return field;
}

}  // namespace

TFrmPrice::TFrmPrice(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmPrice"));
    setWindowTitle(QStringLiteral("Tabela \"Price\""));

    auto* fields = new QGroupBox(QStringLiteral("Dados do Cálculo"), this);
    valor = new ui::AmountEdit(fields);
    valor->setObjectName(QStringLiteral("valor"));
    prazo = shortField(fields, "prazo", 8);
    juroano = shortField(fields, "juroano", 8);
    edSigla = shortField(fields, "edSigla", 6);
    edNomeMoedaSing = shortField(fields, "edNomeMoedaSing", 15);
    edNomeMoeda = shortField(fields, "edNomeMoeda", 15);
    auto* currency = new QHBoxLayout;
    currency->addWidget(edSigla);
    currency->addWidget(edNomeMoedaSing, 1);
    currency->addWidget(edNomeMoeda, 1);
    auto* form = new QFormLayout(fields);
    form->addRow(QStringLiteral("Valor à amortizar"), valor);
    form->addRow(QStringLiteral("Prazo (em anos)"), prazo);
    form->addRow(QStringLiteral("Taxa de Juros (a.a.) %"), juroano);
    form->addRow(QStringLiteral("Sigla/Nome Moeda"), currency);
    ui::setHint(valor, QStringLiteral("Valor do empréstimo a amortizar"));
    ui::setHint(prazo, QStringLiteral("Prazo do empréstimo, em anos"));
    ui::setHint(juroano, QStringLiteral("Taxa de juros ao ano, em percentual"));
    ui::setHint(edSigla, QStringLiteral("Sigla da moeda"));
    ui::setHint(edNomeMoedaSing, QStringLiteral("Nome da moeda no singular"));
    ui::setHint(edNomeMoeda, QStringLiteral("Nome da moeda no plural"));

    Mresultado = new QPlainTextEdit(this);
    Mresultado->setObjectName(QStringLiteral("Mresultado"));
    Mresultado->setReadOnly(true);
    Mresultado->setPlainText(kPlaceholder);
    ui::setHint(Mresultado, QStringLiteral("Resultado do cálculo"));

    Button1 = new QPushButton(QStringLiteral("&Calcular agora"), this);
    Button1->setDefault(true);
    BtImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    BtImprimir->setEnabled(false);
    btSair = new QPushButton(QStringLiteral("&Sair"), this);
    ui::setHint(Button1, QStringLiteral("Calcula o valor da prestação mensal"));
    ui::setHint(BtImprimir, QStringLiteral("Visualiza e imprime o cálculo"));
    ui::setHint(btSair, QStringLiteral("Fecha a janela"));
    connect(Button1, &QPushButton::clicked, this, &TFrmPrice::Button1Click);
    connect(BtImprimir, &QPushButton::clicked, this, &TFrmPrice::BtImprimirClick);
    connect(btSair, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(BtImprimir);
    buttons->addWidget(btSair);

    StatusBar = new QLabel(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFrameShape(QFrame::StyledPanel);
    StatusBar->setMinimumHeight(StatusBar->fontMetrics().height() + 6);
    ui::routeHints(this, StatusBar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildExplanation());
    layout->addWidget(fields);
    layout->addWidget(Mresultado, 1);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar);
    resize(720, 560);
    FormCreate();
}

QWidget* TFrmPrice::buildExplanation()
{
    auto* box = new QGroupBox(QStringLiteral("Fórmula da Tabela \"Price\""), this);
    auto* text =
        new QLabel(QStringLiteral("A \"Tabela Price\" que é uma especialização do Método Francês para o "
                                  "caso em que definimos uma taxa de juro anual com capitalização mensal."),
                   box);
    text->setWordWrap(true);
    auto* formula =
        new QLabel(QStringLiteral("<p style='font-size:large'><i>P</i> = <i>Vo</i> &times; "
                                  "<i>j</i> / (1 &minus; (1 + <i>j</i>)<sup>&minus;<i>n</i></sup>)</p>"),
                   box);
    formula->setAlignment(Qt::AlignCenter);
    auto* legend = new QLabel(QStringLiteral(" Onde: \n P = Valor da Prestação\n Vo = Valor à amortizar\n"
                                             " j  = Taxa de Juros (módulo 10)\n n  = número de anos."),
                              box);
    legend->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QHBoxLayout(box);
    auto* left = new QVBoxLayout;
    left->addWidget(text);
    left->addWidget(formula);
    layout->addLayout(left, 2);
    layout->addWidget(legend, 1);
    return box;
}

void TFrmPrice::FormCreate()
{
    const std::string today = Date::today().toString();
    edSigla->setText(QString::fromStdString(SiglaDaMoeda(dm_, today)));
    edNomeMoedaSing->setText(QString::fromStdString(NomeDaMoeda(dm_, today, false)));
    edNomeMoeda->setText(QString::fromStdString(NomeDaMoeda(dm_, today, true)));
}

void TFrmPrice::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmPrice::FormActivate()
{
    valor->setFocus();
}

void TFrmPrice::Button1Click()
{
    Amount amount;
    try {
        amount = valor->amount();
    } catch (const std::invalid_argument&) {
        ui::Prompter::current().warn(QStringLiteral("Alerta !"),
                                     QStringLiteral("Valor à amortizar inválido !"));
        valor->setFocus();
        return;
    }
    const PriceInputs in{amount,
                         prazo->text().toStdString(),
                         juroano->text().toStdString(),
                         edSigla->text().toStdString(),
                         edNomeMoedaSing->text().toStdString(),
                         edNomeMoeda->text().toStdString()};
    const auto outcome = calculatePrice(in);
    if (const auto* refusal = std::get_if<PriceRefusal>(&outcome)) {
        ui::Prompter::current().warn(QStringLiteral("Alerta !"), QString::fromStdString(refusal->message));
        const PriceField focus = refusal->focus;
        (focus == PriceField::Prazo     ? prazo
         : focus == PriceField::Juroano ? juroano
                                        : static_cast<QLineEdit*>(valor))
            ->setFocus();
        return;
    }
    const PriceResult& r = std::get<PriceResult>(outcome);
    Mresultado->setPlainText(QString::fromStdString(r.resultText));
    calculated_ = reports::PriceReportData{r.reportAmount, r.reportTerm,    r.reportRate,
                                           r.resultText,   r.reportPayment, {}};
    BtImprimir->setEnabled(true);
}

void TFrmPrice::BtImprimirClick()
{
    if (!calculated_) return;
    ui::ReportPreview preview(reports::priceReport(*calculated_), this);
    preview.preview();
}

}  // namespace quintara
