#include "app/cases/frm_destaca_processo.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/case_register.h"
#include "data/data_module.h"
#include "data/lookups.h"
#include "data/text_routines.h"

namespace quintara {

namespace {

QString dateText(const foxpro::Table& table, const char* field)
{
    return QString::fromStdString(Date::fromDtos(table.getDate(field)).toString());
}

}  // namespace

TFrmDestacaProcesso::TFrmDestacaProcesso(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmDestacaProcesso"));
    setWindowTitle(QStringLiteral("Processo Nº"));

    const auto label = [this] {
        auto* l = new QLabel(this);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    lbOrdem = label();
    lbNumero = label();
    QFont big = lbNumero->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lbNumero->setFont(big);
    lbAbertura = label();
    lbDescricao = label();
    lbResponsavel = label();
    lbProtocolo = label();
    lbDataProtocolo = label();
    lbVara = label();
    lbAlteracao = label();
    lbCalculo = label();
    lbUsuario = label();
    lbSituacao = label();
    lbSituacao->setFont(big);
    lbSituacao->setAlignment(Qt::AlignCenter);
    lbSituacao->setAutoFillBackground(true);
    lbSituacao->setStyleSheet(QStringLiteral("background: navy; color: yellow; padding: 4px;"));

    lstNomes = new QListWidget(this);
    lstNomes->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    mHistorico = new QPlainTextEdit(this);
    mHistorico->setReadOnly(true);
    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setDefault(true);
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* header = new QHBoxLayout;
    header->addWidget(lbNumero, 1);
    header->addWidget(new QLabel(QStringLiteral("Nº de Ordem"), this));
    header->addWidget(lbOrdem);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Abertura"), lbAbertura);
    form->addRow(QStringLiteral("Descrição sumarizada do processo"), lbDescricao);
    form->addRow(QStringLiteral("Responsável"), lbResponsavel);
    auto* protocol = new QGroupBox(QStringLiteral("Protocolo"), this);
    auto* protocolForm = new QFormLayout(protocol);
    protocolForm->addRow(QStringLiteral("N.Protocolo"), lbProtocolo);
    protocolForm->addRow(QStringLiteral("Data"), lbDataProtocolo);
    protocolForm->addRow(QStringLiteral("Vara"), lbVara);
    auto* control = new QFormLayout;
    control->addRow(QStringLiteral("Última Alteração em"), lbAlteracao);
    control->addRow(QStringLiteral("Último Cálculo em"), lbCalculo);
    control->addRow(QStringLiteral("Usuário"), lbUsuario);
    auto* middle = new QHBoxLayout;
    middle->addWidget(protocol, 1);
    middle->addLayout(control, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(lbSituacao);
    layout->addLayout(form);
    layout->addLayout(middle);
    layout->addWidget(new QLabel(QStringLiteral("Nome das Partes Envolvidas"), this));
    layout->addWidget(lstNomes, 1);
    layout->addWidget(new QLabel(QStringLiteral("Histórico do Processo"), this));
    layout->addWidget(mHistorico, 1);
    layout->addWidget(btOk, 0, Qt::AlignRight);
    resize(760, 600);
}

QString TFrmDestacaProcesso::statusBanner(const std::string& code)
{
    if (code == "1") return QStringLiteral("C A N C E L A D O");
    if (code == "2") return QStringLiteral("S U S P E N S O");
    if (code == "3") return QStringLiteral("C O N C L U Í D O");
    if (code == "0") return QStringLiteral("E M   A B E R T O");
    return QString();
}

void TFrmDestacaProcesso::fill(std::uint32_t record)
{
    foxpro::Table& cases = dm_.Processos();
    cases.go(record);
    const std::string number = cases.getString("NPROCESSO");
    lbOrdem->setText(QString::number(record));
    lbNumero->setText(QString::fromStdString(number));
    lbAbertura->setText(dateText(cases, "DATA") + QStringLiteral(" às ") +
                        QString::fromStdString(cases.getString("HORA")));
    lbDescricao->setText(QString::fromStdString(cases.getString("DESCRICAO")));
    lbResponsavel->setText(QString::fromStdString(cases.getString("RESPONSAV")));
    mHistorico->setPlainText(QString::fromStdString(cases.getMemo("ANOTACOES")));
    lbProtocolo->setText(QString::fromStdString(cases.getString("NPROTOCOLO")));
    lbDataProtocolo->setText(dateText(cases, "DPROTOCOLO") + QStringLiteral(" às ") +
                             QString::fromStdString(cases.getString("HORAPROTOC")));
    lbVara->setText(QString::fromStdString(cases.getString("VARA")));
    lbAlteracao->setText(dateText(cases, "DATAUA"));
    const QString calculated = dateText(cases, "DATAUC");
    lbCalculo->setText(IsBlank(cases.getDate("DATAUC")) ? QString() : calculated);
    const std::string status = cases.getString("SITUACAO");
    lbUsuario->setText(QString::fromStdString(NomeUsuarioAtual(dm_)));
    lbSituacao->setText(statusBanner(status));
    lstNomes->clear();
    for (const CaseName& name : caseNames(dm_, number))
        lstNomes->addItem(QString::fromStdString(namesLine(name, "*")));
}

}  // namespace quintara
