#include "app/reference/frm_indi_eco_manut.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <functional>
#include <stdexcept>

#include "data/data_module.h"
#include "engine/text_columns.h"
#include "ui/date_edit.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

QGroupBox* radioGroup(QWidget* parent, const QString& title, const QStringList& choices, QButtonGroup*& group)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < choices.size(); ++i) {
        auto* button = new QRadioButton(choices[i], box);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return box;
}

// A failure while storing one field cancels the whole insertion.
void storeField(const char* what, const std::function<void()>& store)
{
    try {
        store();
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(what) + e.what());
    }
}

}  // namespace

TFrmIndiEcoManut::TFrmIndiEcoManut(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmIndiEcoManut"));
    setWindowTitle(QStringLiteral("Novo Índice"));

    cCodIndice = new QLineEdit(this);
    cCodIndice->setObjectName(QStringLiteral("cCodIndice"));
    cCodIndice->setMaxLength(10);
    ui::setHint(cCodIndice, QStringLiteral("Digite o código do índice"));
    cDesc = new QLineEdit(this);
    cDesc->setObjectName(QStringLiteral("cDesc"));
    cDesc->setMaxLength(70);
    ui::setHint(cDesc, QStringLiteral("Digite o nome do índice (completo)."));
    dDat1 = new ui::DateEdit(this);
    dDat1->setObjectName(QStringLiteral("dDat1"));
    dDat2 = new ui::DateEdit(this);
    dDat2->setObjectName(QStringLiteral("dDat2"));
    RdPeriodicidade = radioGroup(this, QStringLiteral("Periodicidade da Atualização"),
                                 {QStringLiteral("1-Diário"), QStringLiteral("2-Mensal")}, periodicity_);
    ui::setHint(RdPeriodicidade, QStringLiteral("Selecion uma das duas (2) opções."));
    RdForma = radioGroup(this, QStringLiteral("Forma de Valor do Índice"),
                         {QStringLiteral("1-Multiplicador"), QStringLiteral("2-Percentual"),
                          QStringLiteral("3-Moeda Nacional"), QStringLiteral("4-Juros Percentual")},
                         kind_);
    ui::setHint(RdForma, QStringLiteral("Selecione uma das 03 (tres) opções."));
    cMemo = new QPlainTextEdit(this);
    cMemo->setObjectName(QStringLiteral("cMemo"));
    btConfirma = new QPushButton(QStringLiteral("&Confirma"), this);
    btConfirma->setDefault(true);
    btAbandona = new QPushButton(QStringLiteral("&Abandona"), this);
    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);

    auto* period = new QGroupBox(QStringLiteral("Período de Vigência"), this);
    auto* periodRow = new QHBoxLayout(period);
    periodRow->addWidget(new QLabel(QStringLiteral("de"), period));
    periodRow->addWidget(dDat1);
    periodRow->addWidget(new QLabel(QStringLiteral("até"), period));
    periodRow->addWidget(dDat2);
    periodRow->addStretch();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Código do Índice"), cCodIndice);
    lbDesc = new QLabel(QStringLiteral("Descrição do Índice"), this);
    form->addRow(lbDesc, cDesc);
    auto* radios = new QHBoxLayout;
    radios->addWidget(RdPeriodicidade);
    radios->addWidget(RdForma);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btConfirma);
    buttons->addWidget(btAbandona);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(period);
    layout->addLayout(radios);
    layout->addWidget(new QLabel(QStringLiteral("Histórico do Índice"), this));
    layout->addWidget(cMemo, 1);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar);
    resize(560, 480);

    connect(btConfirma, &QPushButton::clicked, this, [this] { btConfirmaClick(); });
    connect(btAbandona, &QPushButton::clicked, this, &QDialog::reject);
    Limpavar();
}

void TFrmIndiEcoManut::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    cCodIndice->setFocus();
}

std::string TFrmIndiEcoManut::kindCode() const
{
    return std::to_string(kind_->checkedId() + 1);
}

std::string TFrmIndiEcoManut::periodicityCode() const
{
    return std::to_string(periodicity_->checkedId() + 1);
}

void TFrmIndiEcoManut::setKindCode(const std::string& code)
{
    const int position = code.size() == 1 && code[0] >= '1' && code[0] <= '4' ? code[0] - '1' : 0;
    kind_->button(position)->setChecked(true);
}

void TFrmIndiEcoManut::setPeriodicityCode(const std::string& code)
{
    periodicity_->button(code == "1" ? 0 : 1)->setChecked(true);
}

void TFrmIndiEcoManut::Limpavar()
{
    cCodIndice->clear();
    cDesc->clear();
    dDat1->setDate(Date());
    dDat2->setDate(Date());
    cMemo->clear();
    setKindCode("1");
    setPeriodicityCode("2");
    cCodIndice->setFocus();
}

Date TFrmIndiEcoManut::dateOrNone(const ui::DateEdit* field)
{
    return field->tryDate().value_or(Date());
}

std::optional<std::string> TFrmIndiEcoManut::typedCode()
{
    const std::string code = trimBlanks(cCodIndice->text().toStdString());
    if (code.empty()) {
        ui::Prompter::current().error(QStringLiteral("Atenção !"),
                                      QStringLiteral("Nome do índice deve ser preenchido!"));
        cCodIndice->setFocus();
        return std::nullopt;
    }
    return code;
}

bool TFrmIndiEcoManut::refuseDuplicate(const std::string& code, std::uint32_t ownRecNo)
{
    foxpro::Table& indices = dm_.Indices();
    const std::uint32_t current = indices.recNo();
    indices.setTag("codigo");
    const bool taken = indices.seek({code}) && indices.recNo() != ownRecNo;
    if (current != 0) indices.go(current);
    if (!taken) return false;
    ui::Prompter::current().error(QStringLiteral("Atenção !"),
                                  QStringLiteral("Esse índice já foi cadastrado !, verifique por favor."));
    cCodIndice->setFocus();
    return true;
}

void TFrmIndiEcoManut::writeDescriptiveFields()
{
    foxpro::Table& t = dm_.Indices();
    storeField("erro ao gravar a descrição indice!: ",
               [&] { t.setString("TBCM_DESC", cDesc->text().toStdString()); });
    storeField("erro ao gravar o tipo de valor indice!: ", [&] { t.setString("TBCM_VAL", kindCode()); });
    storeField("erro ao gravar a forma de atualização do indice!: ",
               [&] { t.setString("TBCM_TIP", periodicityCode()); });
}

void TFrmIndiEcoManut::btConfirmaClick()
{
    StatusBar->showMessage(QStringLiteral("Gravando ..."));
    const std::optional<std::string> code = typedCode();
    if (!code || refuseDuplicate(*code, 0)) {
        StatusBar->clearMessage();
        return;
    }
    const Date start = dateOrNone(dDat1);
    const Date end = dateOrNone(dDat2);
    foxpro::Table& t = dm_.Indices();
    try {
        t.append();
        writeDescriptiveFields();
        storeField("erro ao gravar nome indice!: ", [&] { t.setString("TBCM_COD", *code); });
        if (!start.isEmpty()) t.setDate("TBCM_DINI", start.toDtos());
        if (!end.isEmpty()) t.setDate("TBCM_DFIM", end.toDtos());
        t.setMemo("TBCM_HIST", cMemo->toPlainText().toStdString());
        t.post();
    } catch (const std::exception& e) {
        if (t.editing()) t.cancel();
        StatusBar->clearMessage();
        ui::Prompter::current().error(QStringLiteral("Erro !"), QString::fromStdString(e.what()));
        return;
    }
    StatusBar->clearMessage();
    Limpavar();
}

}  // namespace quintara
