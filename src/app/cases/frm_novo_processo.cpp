#include "app/cases/frm_novo_processo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/cases/frm_incluir_nomes.h"
#include "app/modal_runner.h"
#include "data/date_routines.h"
#include "data/text_routines.h"
#include "ui/date_edit.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

QLineEdit* limitedEdit(QWidget* parent, int maxLength, const QString& hint = {})
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    if (!hint.isEmpty()) ui::setHint(edit, hint);
    return edit;
}

const QString kHourQuestion = QStringLiteral(
    "O sistema ajustou o horário do protocolo de  acordo com o horário de atendimento das repartições "
    "públicas !");

}  // namespace

TFrmNovoProcesso::TFrmNovoProcesso(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmNovoProcesso"));
    setWindowTitle(QStringLiteral("Novo Processo"));

    UserName = new QLabel(this);
    auto* control = new QGroupBox(QStringLiteral("Controle"), this);
    ItOrdem = new QLabel(control);
    ItData = new QLabel(control);
    ui::setHint(ItOrdem, QStringLiteral("Nº de ordem de cadastramento do processo"));
    ui::setHint(ItData, QStringLiteral("data da inclusão do processo nesse sistema"));
    auto* controlLayout = new QFormLayout(control);
    controlLayout->addRow(QStringLiteral("Nº de Ordem"), ItOrdem);
    controlLayout->addRow(QStringLiteral("Data"), ItData);

    cNumeroProcesso =
        limitedEdit(this, 7, QStringLiteral("Número de Controle Interno (mínimo 07 dígitos alfanuméricos)."));
    cNumeroProcesso->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9]{0,7}")), cNumeroProcesso));
    cResponsavel =
        limitedEdit(this, 55, QStringLiteral("Nome da Pessoa Responsável pelo andamento do processo"));
    cDescricao = limitedEdit(this, 55, QStringLiteral("Descrição sumarizada do processo"));

    gbProtocolo = new QGroupBox(QStringLiteral("Protocolo"), this);
    cbProtocolado = new QCheckBox(QStringLiteral("Foi Protocolado"), gbProtocolo);
    NumeroDoProtocolo = limitedEdit(gbProtocolo, 7);
    DataDoProtocolo = new ui::DateEdit(gbProtocolo);
    Hora = limitedEdit(gbProtocolo, 5);
    Vara = limitedEdit(gbProtocolo, 4);
    auto* protocolLayout = new QGridLayout(gbProtocolo);
    protocolLayout->addWidget(cbProtocolado, 0, 0, 1, 4);
    protocolLayout->addWidget(new QLabel(QStringLiteral("Número"), gbProtocolo), 1, 0);
    protocolLayout->addWidget(NumeroDoProtocolo, 1, 1);
    protocolLayout->addWidget(new QLabel(QStringLiteral("Data"), gbProtocolo), 1, 2);
    protocolLayout->addWidget(DataDoProtocolo, 1, 3);
    protocolLayout->addWidget(new QLabel(QStringLiteral("Hora"), gbProtocolo), 2, 0);
    protocolLayout->addWidget(Hora, 2, 1);
    protocolLayout->addWidget(new QLabel(QStringLiteral("Vara"), gbProtocolo), 2, 2);
    protocolLayout->addWidget(Vara, 2, 3);

    btNomes = new QPushButton(QStringLiteral("&Nomes das Partes..."), this);
    ui::setHint(btNomes, QStringLiteral("Clique para editar os nomes das pessoas citadas no processo"));
    cHistorico = new QPlainTextEdit(this);
    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setDefault(true);
    ui::setHint(btOk, QStringLiteral("Clique para confirmar os dados acima e registrar o processo"));
    btCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    ui::setHint(btCancelar, QStringLiteral("Clique para cancelar os dados acima"));

    auto* status = new QStatusBar(this);
    statusLabel = new QLabel(status);
    status->addWidget(statusLabel, 1);
    status->setSizeGripEnabled(false);
    ui::routeHints(this, statusLabel);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Nº de Processo"), cNumeroProcesso);
    fields->addRow(QStringLiteral("Nome da Pessoa Responsável"), cResponsavel);
    fields->addRow(QStringLiteral("Descrição"), cDescricao);
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addWidget(control);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btNomes);
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(UserName);
    layout->addLayout(top);
    extraRow_ = new QHBoxLayout;
    layout->addLayout(extraRow_);
    layout->addWidget(gbProtocolo);
    layout->addWidget(new QLabel(QStringLiteral("Histórico do Processo"), this));
    layout->addWidget(cHistorico, 1);
    layout->addLayout(buttons);
    layout->addWidget(status);

    connect(cNumeroProcesso, &QLineEdit::textEdited, this, &TFrmNovoProcesso::cNumeroProcessoChange);
    connect(Hora, &QLineEdit::editingFinished, this, &TFrmNovoProcesso::HoraExit);
    connect(cbProtocolado, &QCheckBox::toggled, this, &TFrmNovoProcesso::cbProtocoladoClick);
    connect(btNomes, &QPushButton::clicked, this, &TFrmNovoProcesso::btNomesClick);
    connect(btOk, &QPushButton::clicked, this, &TFrmNovoProcesso::accept);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);

    cbProtocoladoClick();
    cNumeroProcesso->setFocus();
    resize(620, 520);
}

void TFrmNovoProcesso::setNamesList(std::vector<std::string> lines)
{
    names_ = std::move(lines);
}

void TFrmNovoProcesso::cbProtocoladoClick()
{
    const bool on = cbProtocolado->isChecked();
    for (QWidget* field : std::initializer_list<QWidget*>{NumeroDoProtocolo, DataDoProtocolo, Hora, Vara})
        field->setEnabled(on);
}

void TFrmNovoProcesso::cNumeroProcessoChange()
{
    if (cNumeroProcesso->text().size() != 7) return;
    guarded([&] {
        if (findCaseNumber(dm_, cNumeroProcesso->text().toStdString(), ownRecord_) == 0) return;
        ui::Prompter::current().warn(QString::fromUtf8(kDuplicateCaseTitle),
                                     QString::fromUtf8(kDuplicateCaseText));
        cNumeroProcesso->setFocus();
    });
}

bool TFrmNovoProcesso::checkHour()
{
    const QString typed = Hora->text();
    std::string normal;
    try {
        normal = ProtocolHour(typed.toStdString());
    } catch (const std::invalid_argument&) {
        ui::Prompter::current().error(QStringLiteral("Erro"),
                                      QStringLiteral("'%1' não é um horário válido.").arg(typed));
        return false;
    }
    const QString normalised = QString::fromStdString(normal);
    if (normalised != typed &&
        ui::Prompter::current().ask(QStringLiteral("Confirmar"), kHourQuestion,
                                    ui::Prompter::Yes | ui::Prompter::No) != ui::Prompter::No)
        Hora->setText(normalised);
    checkedHour_ = Hora->text();
    return true;
}

void TFrmNovoProcesso::HoraExit()
{
    // Leaving the field, or Enter in it; a message box taking the focus does
    // not run the check a second time.
    if (checkingHour_ || Hora->text() == checkedHour_) return;
    checkingHour_ = true;
    checkHour();
    checkingHour_ = false;
}

void TFrmNovoProcesso::btNomesClick()
{
    TFrmIncluirNomes editor(this);
    editor.setLines(names_);
    if (runModal(editor) != QDialog::Accepted) return;
    names_ = editor.lines();
    btNomes->setText(QStringLiteral("Nomes das Partes (%1)").arg(names_.size()));
}

bool TFrmNovoProcesso::canAccept()
{
    const std::string number = cNumeroProcesso->text().toStdString();
    if (!isValidCaseNumber(number)) {
        cNumeroProcesso->setFocus();
        return false;
    }
    if (findCaseNumber(dm_, number, ownRecord_) != 0) {
        ui::Prompter::current().warn(QString::fromUtf8(kDuplicateCaseTitle),
                                     QString::fromUtf8(kDuplicateCaseText));
        cNumeroProcesso->setFocus();
        return false;
    }
    if (!cbProtocolado->isChecked()) return true;
    if (!DataDoProtocolo->isBlank() && !DataDoProtocolo->isValidDate()) {
        ui::Prompter::current().error(
            QStringLiteral("Erro"),
            QStringLiteral("'%1' não é uma data válida.").arg(DataDoProtocolo->text()));
        DataDoProtocolo->setFocus();
        return false;
    }
    if (!IsBlank(Hora->text().toStdString()) && Hora->text() != checkedHour_ && !checkHour()) {
        Hora->setFocus();
        return false;
    }
    return true;
}

void TFrmNovoProcesso::accept()
{
    bool ok = false;
    guarded([&] { ok = canAccept(); });
    if (ok) QDialog::accept();
}

CaseData TFrmNovoProcesso::caseData() const
{
    CaseData data;
    data.number = cNumeroProcesso->text().toStdString();
    data.responsible = cResponsavel->text().toStdString();
    data.description = cDescricao->text().toStdString();
    data.history = cHistorico->toPlainText().toStdString();
    data.filed = cbProtocolado->isChecked();
    if (data.filed) {
        data.protocolNumber = NumeroDoProtocolo->text().toStdString();
        data.protocolDate = DataDoProtocolo->tryDate().value_or(Date());
        data.protocolHour = Hora->text().toStdString();
        data.court = Vara->text().toStdString();
    }
    for (const std::string& line : names_) data.names.push_back(nameFromLine(line));
    return data;
}

TFrmAlterarProcesso::TFrmAlterarProcesso(DataModule& dm, QWidget* parent) : TFrmNovoProcesso(dm, parent)
{
    setObjectName(QStringLiteral("TFrmAlterarProcesso"));
    setWindowTitle(QStringLiteral("Alterando dados do Processo"));
    cNumeroProcesso->setReadOnly(true);
    CbSituacao = new QComboBox(this);
    CbSituacao->addItems({QStringLiteral("Em Aberto"), QStringLiteral("Cancelado"),
                          QStringLiteral("Suspenso"), QStringLiteral("Concluído")});
    CbSituacao->setCurrentIndex(-1);
    extraRow_->addWidget(new QLabel(QStringLiteral("Situação Atual do Processo"), this));
    extraRow_->addWidget(CbSituacao);
    extraRow_->addStretch();
}

void TFrmAlterarProcesso::load(std::uint32_t record)
{
    ownRecord_ = record;
    const CaseData data = readCase(dm_, record);
    foxpro::Table& cases = dm_.Processos();
    cases.go(record);
    ItOrdem->setText(QString::number(record));
    ItData->setText(QString::fromStdString(Date::fromDtos(cases.getDate("DATAUA")).toString()));
    cNumeroProcesso->setText(QString::fromStdString(data.number));
    cDescricao->setText(QString::fromStdString(data.description));
    cResponsavel->setText(QString::fromStdString(data.responsible));
    cHistorico->setPlainText(QString::fromStdString(data.history));
    NumeroDoProtocolo->setText(QString::fromStdString(data.protocolNumber));
    cbProtocolado->setChecked(data.filed);
    DataDoProtocolo->setDate(data.protocolDate);
    Hora->setText(QString::fromStdString(data.protocolHour));
    Vara->setText(QString::fromStdString(data.court));
    std::vector<std::string> lines;
    for (const CaseName& name : data.names) lines.push_back(namesLine(name, "*"));
    setNamesList(std::move(lines));
    const bool known = data.status.size() == 1 && data.status[0] >= '0' && data.status[0] <= '3';
    CbSituacao->setCurrentIndex(known ? data.status[0] - '0' : 0);
}

bool TFrmAlterarProcesso::canAccept()
{
    if (CbSituacao->currentIndex() < 0) CbSituacao->setCurrentIndex(0);
    return TFrmNovoProcesso::canAccept();
}

CaseData TFrmAlterarProcesso::caseData() const
{
    CaseData data = TFrmNovoProcesso::caseData();
    data.status = std::to_string(std::max(CbSituacao->currentIndex(), 0));
    return data;
}

}  // namespace quintara
