#include "app/reference/frm_nova_moeda.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "ui/date_edit.h"
#include "ui/prompter.h"

namespace quintara {

TFrmNovaMoeda::TFrmNovaMoeda(Date latest, QWidget* parent) : QDialog(parent), latest_(latest)
{
    setObjectName(QStringLiteral("TFrmNovaMoeda"));
    setWindowTitle(QStringLiteral("Nova Moeda"));
    dData = new ui::DateEdit(this);
    dData->setObjectName(QStringLiteral("dData"));
    dData->setEmptyInvalidOnLeave(true);
    cNomesing = new QLineEdit(this);
    cNomesing->setMaxLength(30);
    cNomePLu = new QLineEdit(this);
    cNomePLu->setMaxLength(30);
    cSigla = new QLineEdit(this);
    cSigla->setMaxLength(4);
    cValor = new QLineEdit(this);
    cValor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cHistorico = new QPlainTextEdit(this);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Cancela"), this);
    BitBtn2->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Data Início Vigência"), dData);
    form->addRow(QStringLiteral("Nome da Moeda (Singular)"), cNomesing);
    form->addRow(QStringLiteral("Nome da Moeda (Plural)"), cNomePLu);
    form->addRow(QStringLiteral("Sigla (Cifra)"), cSigla);
    form->addRow(QStringLiteral("Valor Conversão"), cValor);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Histórico"), this));
    layout->addWidget(cHistorico, 1);
    layout->addLayout(buttons);
    resize(460, 380);

    connect(BitBtn1, &QPushButton::clicked, this, &TFrmNovaMoeda::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    dData->setFocus();
}

Date TFrmNovaMoeda::date() const
{
    return dData->tryDate().value_or(Date());
}

bool TFrmNovaMoeda::refuse(QWidget* focus, const QString& text)
{
    ui::Prompter::current().error(QStringLiteral("Atenção !"), text);
    focus->setFocus();
    return false;
}

void TFrmNovaMoeda::accept()
{
    const QString incomplete = QStringLiteral("O Nome da moeda, sigla e data devem ser preenchidos !.");
    if (cNomesing->text().trimmed().isEmpty() || cSigla->text().trimmed().isEmpty() || date().isEmpty()) {
        refuse(dData, incomplete);
        return;
    }
    if (!latest_.isEmpty() && date() <= latest_) {
        refuse(dData, QStringLiteral("A nova moeda deve começar depois de ") +
                          QString::fromStdString(latest_.toString()) +
                          QStringLiteral(", início da última moeda cadastrada !"));
        return;
    }
    try {
        conversion_ = Amount::parse(cValor->text().trimmed().toStdString());
    } catch (const std::exception&) {
        conversion_ = Amount();
    }
    if (conversion_ <= Amount()) {
        refuse(cValor, QStringLiteral("O valor de conversão deve ser um número maior que zero (por exemplo "
                                      "2.750,00 ou 1000) !"));
        return;
    }
    QDialog::accept();
}

}  // namespace quintara
