#include "app/costs/frm_custas_dialogs.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "data/court_costs.h"
#include "data/text_routines.h"
#include "ui/amount_edit.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

const QString kAttention = QStringLiteral("Atenção !");

QLineEdit* upperEdit(QWidget* parent, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    if (maxLength > 0) edit->setMaxLength(maxLength);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const int at = edit->cursorPosition();
        edit->setText(text.toUpper());
        edit->setCursorPosition(at);
    });
    return edit;
}

std::optional<Amount> readValue(const QString& text)
{
    if (text.trimmed().isEmpty()) return std::nullopt;
    return Amount::parse(text.trimmed().toStdString());
}

}  // namespace

CostDialog::CostDialog(const QString& cancelCaption, QWidget* parent) : QDialog(parent)
{
    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setDefault(true);
    btCancela = new QPushButton(cancelCaption, this);
    connect(btOk, &QPushButton::clicked, this, &CostDialog::accept);
    connect(btCancela, &QPushButton::clicked, this, &QDialog::reject);
}

void CostDialog::addButtons(QBoxLayout* layout)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancela);
    layout->addLayout(buttons);
}

void CostDialog::accept()
{
    bool stored = false;
    guarded([&] {
        if (!check()) return;
        try {
            if (store_) store_();
            stored = true;
        } catch (const CostRefused& refused) {
            ui::Prompter::current().error(kAttention, QString::fromUtf8(refused.what()));
        }
    });
    if (stored) QDialog::accept();
}

TFrmNovoGrupo::TFrmNovoGrupo(QWidget* parent) : CostDialog(QStringLiteral("&Cancela"), parent)
{
    setObjectName(QStringLiteral("TFrmNovoGrupo"));
    setWindowTitle(QStringLiteral("Novo grupo"));
    cLetra = upperEdit(this, 1);
    cLetra->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z]?")), cLetra));
    cGrupo = upperEdit(this, 60);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Código"), cLetra);
    form->addRow(QStringLiteral("Nome do Grupo"), cGrupo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    addButtons(layout);
    cLetra->setFocus();
    resize(380, 120);
}

TFrmEditaGrupoCusta::TFrmEditaGrupoCusta(QWidget* parent) : CostDialog(QStringLiteral("&Cancela"), parent)
{
    setObjectName(QStringLiteral("TFrmEditaGrupoCusta"));
    setWindowTitle(QStringLiteral("Renomear Grupo"));
    cLetra = upperEdit(this, 1);
    cLetra->setEnabled(false);
    cGrupo = upperEdit(this, 60);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Código"), cLetra);
    form->addRow(QStringLiteral("Nome do Grupo"), cGrupo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    addButtons(layout);
    cGrupo->setFocus();
    resize(380, 120);
}

TFrmItemcusta::TFrmItemcusta(QWidget* parent) : CostDialog(QStringLiteral("Cancela"), parent)
{
    setObjectName(QStringLiteral("TFrmItemcusta"));
    setWindowTitle(QStringLiteral("Item de Custa"));
    lbGrupo = new QLabel(this);
    QFont bold = lbGrupo->font();
    bold.setBold(true);
    lbGrupo->setFont(bold);
    auto* item = new QGroupBox(QStringLiteral("ITEM"), this);
    cCodigo = new QLineEdit(item);
    cCodigo->setMaxLength(4);
    cDesc = new QLineEdit(item);
    cDesc->setMaxLength(77);
    cValor = new QLineEdit(item);
    cValor->setAlignment(Qt::AlignRight);
    auto* form = new QFormLayout(item);
    form->addRow(QStringLiteral("Código"), cCodigo);
    form->addRow(QStringLiteral("Descrição"), cDesc);
    form->addRow(QStringLiteral("Valor"), cValor);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("GRUPO"), this));
    top->addWidget(lbGrupo, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(item);
    addButtons(layout);
    connect(cValor, &QLineEdit::editingFinished, this, &TFrmItemcusta::cValorExit);
    cDesc->setFocus();
    resize(560, 200);
}

std::optional<Amount> TFrmItemcusta::value() const
{
    return readValue(cValor->text());
}

void TFrmItemcusta::setValue(Amount value)
{
    // Cents unless the value has more decimals (up to four are kept).
    const int decimals = value.raw() % 100 != 0 ? 4 : 2;
    cValor->setText(ui::AmountEdit::groupedText(value, decimals));
}

void TFrmItemcusta::cValorExit()
{
    std::optional<Amount> amount;
    try {
        amount = value();
    } catch (const std::invalid_argument&) {
        cValor->clear();
        return;
    }
    if (amount && *amount > Amount()) setValue(*amount);
}

bool TFrmItemcusta::check()
{
    cValorExit();
    if (!IsBlank(cDesc->text().toStdString()) && !cValor->text().trimmed().isEmpty()) return true;
    ui::Prompter::current().error(kAttention, QString::fromUtf8(kCostFieldsMissing));
    if (IsBlank(cDesc->text().toStdString()))
        cDesc->setFocus();
    else
        cValor->setFocus();
    return false;
}

TFrmEditaItemCusta::TFrmEditaItemCusta(QWidget* parent) : TFrmItemcusta(parent)
{
    setObjectName(QStringLiteral("TFrmEditaItemCusta"));
    setWindowTitle(QStringLiteral("Edição Item Custa"));
    cCodigo->setEnabled(false);
}

}  // namespace quintara
