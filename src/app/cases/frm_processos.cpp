#include "app/cases/frm_processos.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/cases/frm_destaca_processo.h"
#include "app/cases/frm_indicador_pessoal.h"
#include "app/cases/frm_novo_processo.h"
#include "app/cases/frm_qr_lista_processos.h"
#include "app/modal_runner.h"
#include "data/case_register.h"
#include "data/data_module.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;

QString dateText(const foxpro::Table& table, const char* field)
{
    return QString::fromStdString(Date::fromDtos(table.getDate(field)).toString());
}

void reportRefusal(const CaseRefused& refused)
{
    ui::Prompter::current().warn(QString::fromStdString(refused.title()), QString::fromUtf8(refused.what()));
}

}  // namespace

TFrmProcessos::TFrmProcessos(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmProcessos"));
    setWindowTitle(QStringLiteral("Processos"));

    auto* title = new QLabel(QStringLiteral("Lista de Processos"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);

    DBGrid1 = new QTreeWidget(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setHeaderLabels({QStringLiteral("N.Ordem"), QStringLiteral("N.Processo"),
                              QStringLiteral("Nome do Responsável"), QStringLiteral("Abertura"),
                              QStringLiteral("N.Protocolo"), QStringLiteral("Data Protcolo"),
                              QStringLiteral("Situação")});
    DBGrid1->setRootIsDecorated(false);
    DBGrid1->setAlternatingRowColors(true);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    DBGrid1->header()->resizeSection(2, 240);

    const auto button = [this](const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, this);
        ui::setHint(b, hint);
        return b;
    };
    btNovo = button(QStringLiteral("&Novo"), QStringLiteral("Cadastrar um novo processo"));
    btAlterar =
        button(QStringLiteral("&Alterar"), QStringLiteral("Alterar os dados do processo selecionado"));
    btDestacar =
        button(QStringLiteral("Destacar"), QStringLiteral("Mostrar os dados do processo selecionado"));
    btExcluir = button(QStringLiteral("&Excluir"), QStringLiteral("Excluir o processo selecionado"));
    btIndicador = button(QStringLiteral("&Indicador"), QStringLiteral("Indicador Pessoal dos Processos"));
    btImprimir = button(QStringLiteral("&Imprimir"), QStringLiteral("Imprimir a lista de processos"));
    btSair = button(QStringLiteral("&Sair"), QStringLiteral("Fechar esta janela"));
    connect(btNovo, &QPushButton::clicked, this, &TFrmProcessos::btNovoClick);
    connect(btAlterar, &QPushButton::clicked, this, &TFrmProcessos::btAlterarClick);
    connect(btDestacar, &QPushButton::clicked, this, &TFrmProcessos::btDestacarClick);
    connect(btExcluir, &QPushButton::clicked, this, &TFrmProcessos::btExcluirClick);
    connect(btIndicador, &QPushButton::clicked, this, &TFrmProcessos::btIndicadorClick);
    connect(btImprimir, &QPushButton::clicked, this, &TFrmProcessos::btImprimirClick);
    connect(btSair, &QPushButton::clicked, this, &QDialog::accept);
    connect(DBGrid1, &QTreeWidget::itemDoubleClicked, this, &TFrmProcessos::btDestacarClick);

    PopupMenu1 = new QMenu(this);
    const auto entry = [this](const QString& caption, const QKeySequence& key,
                              void (TFrmProcessos::*slot)()) {
        QAction* action = PopupMenu1->addAction(caption, this, slot);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    };
    entry(QStringLiteral("&Novo"), QKeySequence(Qt::Key_Insert), &TFrmProcessos::btNovoClick);
    entry(QStringLiteral("&Alterar Dados"), {}, &TFrmProcessos::btAlterarClick);
    entry(QStringLiteral("&Destacar"), QKeySequence(QStringLiteral("Ctrl+D")),
          &TFrmProcessos::btDestacarClick);
    entry(QStringLiteral("&Excluir"), QKeySequence(Qt::Key_Delete), &TFrmProcessos::btExcluirClick);
    entry(QStringLiteral("Indicador &Pessoal dos Processos"), {}, &TFrmProcessos::btIndicadorClick);
    connect(DBGrid1, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(at)); });
    connect(DBGrid1, &QTreeWidget::currentItemChanged, this, [this] {
        if (const std::uint32_t record = currentRecord()) guarded([&] { dm_.Processos().go(record); });
    });

    auto* status = new QStatusBar(this);
    statusLabel = new QLabel(status);
    status->addWidget(statusLabel, 1);
    ui::routeHints(this, statusLabel);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btNovo, btAlterar, btDestacar, btExcluir, btIndicador, btImprimir})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(btSair);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(buttons);
    layout->addWidget(status);
    resize(900, 480);
}

void TFrmProcessos::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmProcessos::FormActivate()
{
    for (QPushButton* b : {btNovo, btAlterar, btDestacar, btExcluir, btIndicador, btImprimir, btSair})
        b->setEnabled(true);
    guarded([&] {
        dm_.IndicadorPessoal();
        fillList(currentRecord() ? currentRecord() : dm_.Processos().recNo());
    });
}

void TFrmProcessos::fillList(std::uint32_t keepRecord)
{
    foxpro::Table& cases = dm_.Processos();
    cases.setFilterActive(false);
    cases.setTag(order_);
    DBGrid1->clear();
    QTreeWidgetItem* keep = nullptr;
    for (cases.first(); !cases.eof(); cases.next()) {
        auto* item = new QTreeWidgetItem(
            DBGrid1, {QString::number(cases.recNo()), QString::fromStdString(cases.getString("NPROCESSO")),
                      QString::fromStdString(cases.getString("RESPONSAV")), dateText(cases, "DATA"),
                      QString::fromStdString(cases.getString("NPROTOCOLO")), dateText(cases, "DPROTOCOLO"),
                      QString::fromStdString(dm_.nomesituacao())});
        item->setData(0, kRecordRole, cases.recNo());
        if (cases.recNo() == keepRecord) keep = item;
    }
    if (!keep && DBGrid1->topLevelItemCount() > 0) keep = DBGrid1->topLevelItem(0);
    if (keep) {
        DBGrid1->setCurrentItem(keep);
        DBGrid1->scrollToItem(keep);
    }
}

std::uint32_t TFrmProcessos::currentRecord() const
{
    const QTreeWidgetItem* item = DBGrid1->currentItem();
    return item ? item->data(0, kRecordRole).toUInt() : 0;
}

void TFrmProcessos::selectRecord(std::uint32_t record)
{
    for (int row = 0; row < DBGrid1->topLevelItemCount(); ++row)
        if (DBGrid1->topLevelItem(row)->data(0, kRecordRole).toUInt() == record)
            DBGrid1->setCurrentItem(DBGrid1->topLevelItem(row));
}

void TFrmProcessos::btNovoClick()
{
    guarded([&] {
        TFrmNovoProcesso dialog(dm_, this);
        const CaseClock opened = CaseClock::now();
        dialog.UserName->setText(QString::fromStdString(dm_.currentUser()));
        dialog.ItOrdem->setText(QString::number(dm_.Processos().recordCount() + 1));
        dialog.ItData->setText(QString::fromStdString(opened.today.toString() + " " + opened.time));
        if (runModal(dialog) != QDialog::Accepted) return;
        try {
            const std::uint32_t added =
                registerCase(dm_, dialog.caseData(), dm_.currentUser(), CaseClock::now());
            fillList(added);
        } catch (const CaseRefused& refused) {
            reportRefusal(refused);
        }
    });
}

void TFrmProcessos::btAlterarClick()
{
    guarded([&] {
        const std::uint32_t record = currentRecord();
        if (!record) return;
        TFrmAlterarProcesso dialog(dm_, this);
        dialog.UserName->setText(QString::fromStdString(dm_.currentUser()));
        dialog.load(record);
        if (runModal(dialog) != QDialog::Accepted) return;
        try {
            changeCase(dm_, record, dialog.caseData(), Date::today());
        } catch (const CaseRefused& refused) {
            reportRefusal(refused);
        }
        fillList(record);
    });
}

void TFrmProcessos::btDestacarClick()
{
    guarded([&] {
        const std::uint32_t record = currentRecord();
        if (!record) return;
        TFrmDestacaProcesso dialog(dm_, this);
        dialog.fill(record);
        runModal(dialog);
    });
}

void TFrmProcessos::btExcluirClick()
{
    guarded([&] {
        const std::uint32_t record = currentRecord();
        if (!record) return;
        if (ui::Prompter::current().ask(QStringLiteral("Confirmar"),
                                        QStringLiteral("Todos os dados do processo serão Excluídos!"),
                                        ui::Prompter::Yes | ui::Prompter::No) != ui::Prompter::Yes)
            return;
        const int row = DBGrid1->indexOfTopLevelItem(DBGrid1->currentItem());
        try {
            deleteCase(dm_, record);
        } catch (const CaseRefused& refused) {
            ui::Prompter::current().error(QString::fromStdString(refused.title()),
                                          QString::fromUtf8(refused.what()));
        }
        fillList(0);
        if (QTreeWidgetItem* next = DBGrid1->topLevelItem(std::min(row, DBGrid1->topLevelItemCount() - 1)))
            DBGrid1->setCurrentItem(next);
    });
}

void TFrmProcessos::btIndicadorClick()
{
    guarded([&] {
        TFrmIndicadorPessoal indicator(dm_, TFrmIndicadorPessoal::Mode::Choose, this);
        if (runModal(indicator) != QDialog::Accepted) return;
        const std::string number = indicator.chosenCase();
        if (number.empty()) return;
        foxpro::Table& cases = dm_.Processos();
        order_ = "numero";
        cases.setTag(order_);
        const std::uint32_t keep = cases.seek({number}) ? cases.recNo() : currentRecord();
        fillList(keep);
    });
}

void TFrmProcessos::btImprimirClick()
{
    guarded([&] {
        TFrmQrListaProcessos report(this);
        report.preview(TFrmQrListaProcessos::rows(dm_, order_));
    });
}

}  // namespace quintara
