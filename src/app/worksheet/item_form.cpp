#include "app/worksheet/item_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "data/data_module.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "ui/hints.h"

namespace quintara {

namespace {

QComboBox* formulaList(QWidget* parent, const QString& hint)
{
    auto* list = new QComboBox(parent);
    list->addItems({QStringLiteral("Simples"), QStringLiteral("Composto")});
    ui::setHint(list, hint);
    return list;
}

QToolButton* lookupButton(QWidget* parent, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setText(QStringLiteral("..."));
    ui::setHint(button, hint);
    return button;
}

}  // namespace

TNovoItemPlanilha::TNovoItemPlanilha(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("NovoItemPlanilha"));
    setWindowTitle(QStringLiteral("Inserir Item Planilha de Cálculos"));
    buildFields();

    btInserir = new QPushButton(QStringLiteral("&Inserir na Planilha"), this);
    btInserir->setDefault(true);
    ui::setHint(btInserir, QStringLiteral("Pressione esse botão para concluir a edição do item."));
    btCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    ui::setHint(btCancelar, QStringLiteral("Pressione esse botão para cancelar a edição do item."));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btInserir);
    buttons->addWidget(btCancelar);
    layout_->addLayout(buttons);

    auto* status = new QStatusBar(this);
    statusLabel = new QLabel(status);
    status->addWidget(statusLabel, 1);
    status->setSizeGripEnabled(false);
    layout_->addWidget(status);
    ui::routeHints(this, statusLabel);

    connect(dataOrigem, &QLineEdit::textEdited, this, &TNovoItemPlanilha::dataOrigemChange);
    dataOrigem->installEventFilter(this);
    connect(indexador, &QComboBox::activated, this, &TNovoItemPlanilha::indexadorClick);
    connect(quantidade, &QLineEdit::textEdited, this, [this] {
        quantityEdited_ = true;
        updateQuantityHint();
    });
    connect(quantidade, &QLineEdit::editingFinished, this, &TNovoItemPlanilha::quantidadeExit);
    connect(valororiginal, &QLineEdit::textChanged, this, &TNovoItemPlanilha::valororiginalChange);
    connect(valororiginal, &QLineEdit::editingFinished, this, &TNovoItemPlanilha::valororiginalChange);
    connect(jurosOrdinarios, &QLineEdit::editingFinished, this, &TNovoItemPlanilha::jurosOrdinariosExit);
    connect(JurosCompensatorios, &QLineEdit::editingFinished, this,
            &TNovoItemPlanilha::JurosCompensatoriosExit);
    connect(FormaDeCorrecao, &QComboBox::activated, this, &TNovoItemPlanilha::FormaDeCorrecaoClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TNovoItemPlanilha::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TNovoItemPlanilha::SpeedButton2Click);
    connect(btInserir, &QPushButton::clicked, this, &TNovoItemPlanilha::btInserirClick);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);

    fillFormList();
    fillIndexList();
    dataOrigem->setFocus();
}

TNovoItemPlanilha::~TNovoItemPlanilha() = default;

void TNovoItemPlanilha::buildFields()
{
    NumItPlanilha = new QLabel(this);
    QFont big = NumItPlanilha->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 6);
    NumItPlanilha->setFont(big);

    gbMoeda = new QGroupBox(QStringLiteral("Moeda Vigente na Época"), this);
    MoedaOrigem = new QLabel(gbMoeda);
    auto* currencyLayout = new QHBoxLayout(gbMoeda);
    currencyLayout->addWidget(MoedaOrigem);

    dataOrigem = new ui::DateEdit(this);
    valororiginal = new ui::AmountEdit(this, 2);
    quantidade = new ui::AmountEdit(this, 4);
    indexador = new QComboBox(this);
    SpeedButton2 = lookupButton(this, QStringLiteral("Tabela de Índices Econômicos"));
    CotacaoIndice = new QLabel(QStringLiteral("***"), this);
    DESCRICAO = new QLineEdit(this);
    DESCRICAO->setMaxLength(60);
    ui::setHint(
        DESCRICAO,
        QStringLiteral("Digite nesse campo informações que identifiquem o documento (se necessário)."));

    rdsomadeducao = new QGroupBox(QStringLiteral("Totalizar Como:"), this);
    ui::setHint(rdsomadeducao,
                QStringLiteral("Considerar o Item como dívida ou amortização no resultado final ?"));
    rbDivida = new QRadioButton(QStringLiteral("Dívida"), rdsomadeducao);
    rbAmortizacao = new QRadioButton(QStringLiteral("Amortização"), rdsomadeducao);
    auto* kindLayout = new QHBoxLayout(rdsomadeducao);
    kindLayout->addWidget(rbDivida);
    kindLayout->addWidget(rbAmortizacao);

    FormaDeCorrecao = new QComboBox(this);
    FormaDeCorrecao->setMinimumContentsLength(40);
    FormaDeCorrecao->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    SpeedButton1 = lookupButton(this, QStringLiteral("Formas de Correção"));
    cbIndiceCheio = new QCheckBox(QStringLiteral("&Sempre usar índice do mês cheio"), this);
    ui::setHint(cbIndiceCheio,
                QStringLiteral("Marque para usar tabela cheia ou desmarque para valor proporcional à data."));
    chConversor = new QCheckBox(QStringLiteral("Aplicar Conversor automático da &Moeda Nacional."), this);
    ui::setHint(chConversor,
                QStringLiteral("Conversão da Moeda (exceto para tabelas expressas em valor moeda)."));
    cbFazCorrecao = new QCheckBox(QStringLiteral("Aplicar Correção Monetária"), this);
    cbFazCorrecao->setChecked(true);
    cbFazCorrecao->setEnabled(false);
    cbFazCorrecao->hide();

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Data Origem"), this), 0, 0);
    fields->addWidget(dataOrigem, 1, 0);
    fields->addWidget(new QLabel(QStringLiteral("Valor Original"), this), 0, 1);
    fields->addWidget(valororiginal, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Quantidade"), this), 2, 0);
    fields->addWidget(quantidade, 3, 0);
    fields->addWidget(new QLabel(QStringLiteral("Indexador"), this), 2, 1);
    auto* indexRow = new QHBoxLayout;
    indexRow->addWidget(indexador, 1);
    indexRow->addWidget(SpeedButton2);
    fields->addLayout(indexRow, 3, 1);
    fields->addWidget(new QLabel(QStringLiteral("Cotação Indice"), this), 2, 2);
    fields->addWidget(CotacaoIndice, 3, 2);
    fields->addWidget(new QLabel(QStringLiteral("Descrição do Título"), this), 4, 0, 1, 3);
    fields->addWidget(DESCRICAO, 5, 0, 1, 3);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Item nº"), this));
    top->addWidget(NumItPlanilha);
    top->addStretch();
    top->addWidget(gbMoeda, 2);

    auto* formRow = new QHBoxLayout;
    formRow->addWidget(FormaDeCorrecao, 1);
    formRow->addWidget(SpeedButton1);

    layout_ = new QVBoxLayout(this);
    layout_->addLayout(top);
    layout_->addLayout(fields);
    layout_->addWidget(rdsomadeducao);
    layout_->addWidget(
        new QLabel(QStringLiteral("Forma de Correção (seqüência de índices para o cálculo)"), this));
    layout_->addLayout(formRow);
    layout_->addWidget(cbIndiceCheio);
    layout_->addWidget(chConversor);
    layout_->addWidget(cbFazCorrecao);
    layout_->addWidget(buildInterest());
}

QWidget* TNovoItemPlanilha::buildInterest()
{
    auto* box = new QWidget(this);
    auto* interest = new QGroupBox(QStringLiteral("Juros (%)"), box);
    jurosOrdinarios = new ui::AmountEdit(interest, 4);
    DataOrdinario = new ui::DateEdit(interest);
    TipoJuroOrdinario =
        formulaList(interest, QStringLiteral("Escolha a fórmula de cálculo dos juros ordinários."));
    JurosCompensatorios = new ui::AmountEdit(interest, 4);
    DataCompensatorio = new ui::DateEdit(interest);
    TipoJuroCompensatorio =
        formulaList(interest, QStringLiteral("Escolha a fórmula de cálculo dos juros compensatórios."));
    auto* grid = new QGridLayout(interest);
    const QString rows[] = {QStringLiteral("Ordinários (a.a.)"), QStringLiteral("Compensatórios (a.a.)")};
    QWidget* const rates[] = {jurosOrdinarios, JurosCompensatorios};
    QWidget* const starts[] = {DataOrdinario, DataCompensatorio};
    QWidget* const formulas[] = {TipoJuroOrdinario, TipoJuroCompensatorio};
    for (int i = 0; i < 2; ++i) {
        grid->addWidget(new QLabel(rows[i], interest), i, 0);
        grid->addWidget(rates[i], i, 1);
        grid->addWidget(new QLabel(QStringLiteral("à partir de"), interest), i, 2);
        grid->addWidget(starts[i], i, 3);
        grid->addWidget(new QLabel(QStringLiteral("Tipo"), interest), i, 4);
        grid->addWidget(formulas[i], i, 5);
    }

    auto* fine = new QGroupBox(QStringLiteral("Multa (%)"), box);
    ValorMulta = new ui::AmountEdit(fine, 4);
    chMultaSobreJuros = new QCheckBox(QStringLiteral("Multa sobre Juros"), fine);
    ui::setHint(chMultaSobreJuros, QStringLiteral("Calcular o valor da Multa sobre o total + juros ?"));
    auto* fineLayout = new QGridLayout(fine);
    fineLayout->addWidget(new QLabel(QStringLiteral("Valor"), fine), 0, 0);
    fineLayout->addWidget(ValorMulta, 0, 1);
    fineLayout->addWidget(chMultaSobreJuros, 1, 0, 1, 2);

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(interest, 3);
    row->addWidget(fine, 1);
    return box;
}

void TNovoItemPlanilha::setItemNumber(int row)
{
    itemRow_ = row;
    setItemNumberText(QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0')));
}

void TNovoItemPlanilha::setItemNumberText(const QString& text)
{
    NumItPlanilha->setText(text);
}

void TNovoItemPlanilha::setConfirmCaption(const QString& caption)
{
    btInserir->setText(caption);
}

QString TNovoItemPlanilha::amountHint() const
{
    return amountHint_;
}

int TNovoItemPlanilha::rdsomadeducaoIndex() const
{
    return rbAmortizacao->isChecked() ? 1 : 0;
}

void TNovoItemPlanilha::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    FormActivate();
}

bool TNovoItemPlanilha::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the origin date, not switching to another program: a half-typed
    // date survives that.
    if (watched == dataOrigem && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (!dataOrigem->isBlank() && !dataOrigem->isValidDate()) dataOrigem->setDate(Date());
            dataOrigemExit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TNovoItemPlanilha::done(int result)
{
    for (ui::AmountEdit* field : {jurosOrdinarios, JurosCompensatorios, ValorMulta, quantidade})
        if (field->isBlank()) field->setText(QStringLiteral("0"));
    QDialog::done(result);
}

TFrmAlterarItemPlanilha::TFrmAlterarItemPlanilha(DataModule& dm, const WorksheetGrid& grid, int row,
                                                 QWidget* parent)
    : TNovoItemPlanilha(dm, parent), stored_(entryFromRow(grid, row))
{
    setObjectName(QStringLiteral("FrmAlterarItemPlanilha"));
    setWindowTitle(QStringLiteral("Alterar dados do Item"));
    setConfirmCaption(QStringLiteral("&Confirmar"));
    setItemNumber(row);
}

void TFrmAlterarItemPlanilha::FormActivate()
{
    TNovoItemPlanilha::FormActivate();
    fillFromEntry(stored_);
}

}  // namespace quintara
