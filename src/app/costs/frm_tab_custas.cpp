#include "app/costs/frm_tab_custas.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/costs/frm_custas_dialogs.h"
#include "app/modal_runner.h"
#include "data/data_module.h"
#include "data/format_text.h"
#include "ui/hints.h"
#include "ui/prompter.h"
#include "ui/report_preview.h"

namespace quintara {

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;
const QString kRootLabel = QStringLiteral("Grupos");

QString groupLabel(const CostGroup& group)
{
    return QString::fromStdString(group.letter + " - " + group.name);
}

std::string valueText(Amount value)
{
    return formatText("%9.2n", {value});
}

}  // namespace

TFrmTabCustas::TFrmTabCustas(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmTabCustas"));
    setWindowTitle(QStringLiteral("Tabela de Custas"));

    GrupoArvore = new QTreeWidget(this);
    GrupoArvore->setHeaderHidden(true);
    GrupoArvore->setContextMenuPolicy(Qt::CustomContextMenu);
    PTituloGrupo = new QLabel(QStringLiteral("TODOS OS ITENS"), this);
    PTituloGrupo->setAlignment(Qt::AlignCenter);
    PTituloGrupo->setFrameShape(QFrame::Panel);
    PTituloGrupo->setFrameShadow(QFrame::Sunken);
    QFont bold = PTituloGrupo->font();
    bold.setBold(true);
    PTituloGrupo->setFont(bold);
    DBGrid1 = new QTreeWidget(this);
    DBGrid1->setHeaderLabels(
        {QStringLiteral("GR"), QStringLiteral("COD"), QStringLiteral("DESCRIÇÃO"), QStringLiteral("VALOR")});
    DBGrid1->setRootIsDecorated(false);
    DBGrid1->setAlternatingRowColors(true);
    DBGrid1->header()->setSectionsClickable(true);
    DBGrid1->header()->resizeSection(0, 36);
    DBGrid1->header()->resizeSection(1, 56);
    DBGrid1->header()->resizeSection(2, 420);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    ui::setHint(DBGrid1, QStringLiteral("Itens de custa do grupo selecionado."));

    const auto button = [this](const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, this);
        ui::setHint(b, hint);
        return b;
    };
    btInserir = button(QStringLiteral("&Inserir"),
                       QStringLiteral("Permite inserir um item na tabela de custas, selecione o grupo."));
    btEditar = button(QStringLiteral("&Editar"), QStringLiteral("Permite alterar dados do item de custa."));
    btApagar = button(QStringLiteral("&Apagar"), QStringLiteral("Permite apagar o item selecionado."));
    btImprimir = button(QStringLiteral("Imprimir"), QStringLiteral("Permite imprimir tabela de custas."));
    btSair = button(QStringLiteral("&Sair"), QStringLiteral("Fecha esse programa."));

    menuGrupos = new QMenu(this);
    menuGrupos->addAction(QStringLiteral("&Adicionar Grupo"), this, &TFrmTabCustas::AdicionarGrupoClick);
    menuGrupos->addAction(QStringLiteral("&Renomear Grupo"), this, &TFrmTabCustas::RenomearGrupoClick);
    menuGrupos->addAction(QStringLiteral("&Excluir Grupo"), this, &TFrmTabCustas::ExcluirGrupoClick);
    menuItens = new QMenu(this);
    menuItens->addAction(QStringLiteral("&Adicionar Custa"), this, &TFrmTabCustas::btInserirClick);
    menuItens->addAction(QStringLiteral("&Editar  Custa"), this, &TFrmTabCustas::btEditarClick);
    menuItens->addAction(QStringLiteral("A&pagar Custa"), this, &TFrmTabCustas::btApagarClick);
    menuItens->addAction(QStringLiteral("&Imprimir Tabela"), this, &TFrmTabCustas::btImprimirClick);

    connect(GrupoArvore, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menuGrupos->popup(GrupoArvore->viewport()->mapToGlobal(at)); });
    connect(DBGrid1, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menuItens->popup(DBGrid1->viewport()->mapToGlobal(at)); });
    // Keys move through the tree as clicks do: the list always shows the node's items.
    connect(GrupoArvore, &QTreeWidget::currentItemChanged, this, &TFrmTabCustas::GrupoArvoreClick);
    connect(DBGrid1->header(), &QHeaderView::sectionClicked, this, &TFrmTabCustas::DBGrid1TitleClick);
    connect(DBGrid1, &QTreeWidget::itemDoubleClicked, this, &TFrmTabCustas::btEditarClick);
    connect(btInserir, &QPushButton::clicked, this, &TFrmTabCustas::btInserirClick);
    connect(btEditar, &QPushButton::clicked, this, &TFrmTabCustas::btEditarClick);
    connect(btApagar, &QPushButton::clicked, this, &TFrmTabCustas::btApagarClick);
    connect(btImprimir, &QPushButton::clicked, this, &TFrmTabCustas::btImprimirClick);
    connect(btSair, &QPushButton::clicked, this, &QDialog::accept);

    auto* status = new QStatusBar(this);
    statusLabel = new QLabel(status);
    status->addWidget(statusLabel, 1);
    ui::routeHints(this, statusLabel);

    auto* right = new QVBoxLayout;
    right->addWidget(PTituloGrupo);
    right->addWidget(DBGrid1, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(GrupoArvore, 1);
    body->addLayout(right, 3);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btInserir, btEditar, btApagar, btImprimir}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(btSair);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    layout->addWidget(status);
    resize(940, 520);
}

void TFrmTabCustas::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmTabCustas::FormActivate()
{
    statusLabel->setText(QStringLiteral("Aguarde ..."));
    for (QPushButton* b : {btInserir, btEditar, btApagar, btImprimir, btSair}) b->setEnabled(true);
    guarded([&] { rebuildTree(""); });
    statusLabel->setText(QStringLiteral(
        "Use o botão direito do mouse quando  quiser acionar o menu suspenso de edição dos grupos"));
}

void TFrmTabCustas::rebuildTree(const std::string& selectLetter)
{
    const QSignalBlocker block(GrupoArvore);
    GrupoArvore->clear();
    auto* root = new QTreeWidgetItem(GrupoArvore, {kRootLabel});
    QTreeWidgetItem* selected = root;
    for (const CostGroup& group : costGroups(dm_)) {
        auto* node = new QTreeWidgetItem(root, {groupLabel(group)});
        if (group.letter == selectLetter) selected = node;
    }
    root->setExpanded(true);
    GrupoArvore->setCurrentItem(selected);
    GrupoArvoreClick();
}

std::string TFrmTabCustas::selectedLetter() const
{
    const QTreeWidgetItem* node = GrupoArvore->currentItem();
    if (!node || !node->parent()) return {};
    return node->text(0).left(1).toStdString();
}

void TFrmTabCustas::selectGroup(const std::string& letter)
{
    QTreeWidgetItem* root = GrupoArvore->topLevelItem(0);
    if (!root) return;
    QTreeWidgetItem* wanted = root;
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->text(0).left(1).toStdString() == letter) wanted = root->child(i);
    GrupoArvore->setCurrentItem(wanted);
}

void TFrmTabCustas::GrupoArvoreClick()
{
    const QTreeWidgetItem* node = GrupoArvore->currentItem();
    if (!node) return;
    PTituloGrupo->setText(node->parent() ? node->text(0).toUpper() : QStringLiteral("TODOS OS GRUPOS"));
    guarded([&] { fillItems(); });
}

void TFrmTabCustas::fillItems()
{
    const CostItem* current = currentItem();
    const std::uint32_t keep = current ? current->record : 0;
    items_ = costItems(dm_, selectedLetter(), order_);
    DBGrid1->clear();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const CostItem& item = items_[i];
        auto* row = new QTreeWidgetItem(
            DBGrid1,
            {QString::fromStdString(item.letter), QString::fromStdString(item.code),
             QString::fromStdString(item.description), QString::fromStdString(valueText(item.value))});
        row->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        row->setData(0, kRecordRole, static_cast<qulonglong>(i));
        if (item.record == keep) DBGrid1->setCurrentItem(row);
    }
    if (!DBGrid1->currentItem() && DBGrid1->topLevelItemCount() > 0)
        DBGrid1->setCurrentItem(DBGrid1->topLevelItem(0));
}

const CostItem* TFrmTabCustas::currentItem() const
{
    const QTreeWidgetItem* row = DBGrid1->currentItem();
    if (!row) return nullptr;
    const auto index = row->data(0, kRecordRole).toULongLong();
    return index < items_.size() ? &items_[index] : nullptr;
}

void TFrmTabCustas::DBGrid1TitleClick(int column)
{
    if (column == 3) return;
    order_ = column == 2 ? CostItemOrder::ByDescription : CostItemOrder::ByCode;
    guarded([&] { fillItems(); });
}

void TFrmTabCustas::btInserirClick()
{
    guarded([&] {
        const std::string letter = selectedLetter();
        if (letter.empty()) {
            ui::Prompter::current().error(
                QStringLiteral("Atenção !"),
                QStringLiteral("Selecione um grupo específico para  registrar o item !."));
            return;
        }
        TFrmItemcusta dialog(this);
        dialog.lbGrupo->setText(GrupoArvore->currentItem()->text(0));
        dialog.cCodigo->setText(QString::fromStdString(proposeItemCode(dm_, letter)));
        std::uint32_t added = 0;
        dialog.setStore([&] {
            added = addCostItem(dm_, letter, dialog.cCodigo->text().toStdString(),
                                dialog.cDesc->text().toStdString(), dialog.value());
        });
        if (runModal(dialog) != QDialog::Accepted) return;
        fillItems();
        for (int row = 0; row < DBGrid1->topLevelItemCount(); ++row)
            if (items_[static_cast<std::size_t>(row)].record == added)
                DBGrid1->setCurrentItem(DBGrid1->topLevelItem(row));
    });
}

void TFrmTabCustas::btEditarClick()
{
    guarded([&] {
        const CostItem* item = currentItem();
        if (!item) return;
        const std::uint32_t record = item->record;
        TFrmEditaItemCusta dialog(this);
        dialog.lbGrupo->setText(GrupoArvore->currentItem()->text(0));
        dialog.cCodigo->setText(QString::fromStdString(item->code));
        dialog.cDesc->setText(QString::fromStdString(item->description));
        dialog.setValue(item->value);
        dialog.setStore(
            [&] { editCostItem(dm_, record, dialog.cDesc->text().toStdString(), dialog.value()); });
        if (runModal(dialog) == QDialog::Accepted) fillItems();
    });
}

void TFrmTabCustas::btApagarClick()
{
    guarded([&] {
        const CostItem* item = currentItem();
        if (!item) return;
        if (ui::Prompter::current().ask(QStringLiteral("Apagar"),
                                        QStringLiteral("O item selecionado vai ser eliminado !.Confirma ?"),
                                        ui::Prompter::Yes | ui::Prompter::No) != ui::Prompter::Yes)
            return;
        deleteCostItem(dm_, item->record);
        fillItems();
    });
}

void TFrmTabCustas::AdicionarGrupoClick()
{
    guarded([&] {
        TFrmNovoGrupo dialog(this);
        dialog.setStore([&] {
            addCostGroup(dm_, dialog.cLetra->text().toStdString(), dialog.cGrupo->text().toStdString());
        });
        if (runModal(dialog) == QDialog::Accepted)
            rebuildTree(upperText(dialog.cLetra->text().toStdString()));
    });
}

void TFrmTabCustas::RenomearGrupoClick()
{
    guarded([&] {
        const std::string letter = selectedLetter();
        if (letter.empty()) return;
        TFrmEditaGrupoCusta dialog(this);
        dialog.cLetra->setText(QString::fromStdString(letter));
        for (const CostGroup& group : costGroups(dm_))
            if (group.letter == letter) dialog.cGrupo->setText(QString::fromStdString(group.name));
        dialog.setStore([&] { renameCostGroup(dm_, letter, dialog.cGrupo->text().toStdString()); });
        if (runModal(dialog) == QDialog::Accepted) rebuildTree(letter);
    });
}

void TFrmTabCustas::ExcluirGrupoClick()
{
    guarded([&] {
        const std::string letter = selectedLetter();
        if (letter.empty()) return;
        if (ui::Prompter::current().ask(QStringLiteral("Excluir"),
                                        QStringLiteral("O grupo atual será eliminado e, todos os itens de "
                                                       "custa relacionados ao mesmo !. Confirma ?"),
                                        ui::Prompter::Yes | ui::Prompter::No) != ui::Prompter::Yes)
            return;
        deleteCostGroup(dm_, letter);
        rebuildTree("");
    });
}

reports::CostTable TFrmTabCustas::reportData() const
{
    reports::CostTable table;
    table.group = PTituloGrupo->text().toStdString();
    for (const CostItem& item : items_)
        table.rows.push_back({item.letter, item.code, item.description, valueText(item.value)});
    return table;
}

void TFrmTabCustas::btImprimirClick()
{
    guarded([&] {
        // Nothing is printed for an empty list.
        if (items_.empty()) return;
        ui::ReportPreview report(reports::costTableReport(reportData()), this);
        report.preview();
    });
}

}  // namespace quintara
