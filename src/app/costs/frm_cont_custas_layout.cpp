// The widgets of the costs count window and how they are laid out.
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/costs/cost_drag.h"
#include "app/costs/frm_cont_custas.h"
#include "ui/hints.h"

namespace quintara {

namespace {

QLabel* panel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Raised);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace

void TFrmContCustas::buildLayout()
{
    DBLookUpComboBox1 = new QComboBox(this);
    DBLookUpComboBox1->setMinimumContentsLength(11);
    btProcessos = new QPushButton(QStringLiteral("..."), this);
    ui::setHint(btProcessos, QStringLiteral("Abre o cadastro de processos"));
    lbDescricao = new QLabel(this);
    lbData = new QLabel(this);
    lbAbertura = new QLabel(this);
    lstNomes = new QListWidget(this);
    lstNomes->setMaximumHeight(64);

    auto* header = new QGroupBox(this);
    auto* caseRow = new QHBoxLayout;
    caseRow->addWidget(new QLabel(QStringLiteral("Processo Nº"), header));
    caseRow->addWidget(DBLookUpComboBox1);
    caseRow->addWidget(btProcessos);
    caseRow->addSpacing(24);
    caseRow->addWidget(new QLabel(QStringLiteral("Data :"), header));
    caseRow->addWidget(lbData);
    caseRow->addSpacing(24);
    caseRow->addWidget(new QLabel(QStringLiteral("Data da abertura do processo no sistema:"), header));
    caseRow->addWidget(lbAbertura);
    caseRow->addStretch();
    auto* headerForm = new QFormLayout;
    headerForm->addRow(QStringLiteral("Descrição......:"), lbDescricao);
    headerForm->addRow(QStringLiteral("Nomes das Partes ...........:"), lstNomes);
    auto* headerLayout = new QVBoxLayout(header);
    headerLayout->addLayout(caseRow);
    headerLayout->addLayout(headerForm);

    Panel7 = new QPushButton(QStringLiteral("GRUPOS"), this);
    ui::setHint(Panel7, QStringLiteral("Clique para listar os itens de todos os grupos"));
    DBGGrupoCustas = new QListWidget(this);
    pnTabCustas = panel(QStringLiteral("TABELA DE CUSTAS (TODOS)"), this);
    DBGCustas = new CostItemList(this);
    ui::setHint(DBGCustas, QStringLiteral("Arraste um item para as custas do processo, ou tecle Enter"));
    btAdicionar = new QPushButton(QStringLiteral("A&dicionar ->"), this);
    ui::setHint(btAdicionar, QStringLiteral("Adiciona o item selecionado às custas do processo"));
    auto* left = new QVBoxLayout;
    left->addWidget(Panel7);
    left->addWidget(DBGGrupoCustas, 1);
    left->addWidget(pnTabCustas);
    left->addWidget(DBGCustas, 2);
    left->addWidget(btAdicionar);

    SgCustas = new CostGrid(this);
    SgCustas->setColumnCount(6);
    SgCustas->setHorizontalHeaderLabels({QStringLiteral("Nº"), QStringLiteral("DESCRIÇÃOº"),
                                         QStringLiteral("QUANT"), QStringLiteral("UNITÁRIO"),
                                         QStringLiteral("TOTAL"), QStringLiteral("Cod")});
    SgCustas->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    SgCustas->verticalHeader()->setVisible(false);
    SgCustas->setColumnWidth(0, 50);
    SgCustas->setColumnWidth(1, 300);
    SgCustas->setColumnWidth(2, 60);
    SgCustas->setColumnWidth(3, 90);
    SgCustas->setColumnWidth(4, 110);
    SgCustas->setColumnHidden(5, true);
    SgCustas->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    SgCustas->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(QStringLiteral("Apagar Item"), this, &TFrmContCustas::ApagarItem1Click);
    PopupMenu1->addAction(QStringLiteral("Apagar Tudo"), this, &TFrmContCustas::ApagarTudo1Click);
    cLocalizar = new QLineEdit(this);
    pnTotal = panel(QStringLiteral("0.00"), this);
    pnTotal->setMinimumWidth(140);
    pnTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* find = new QHBoxLayout;
    find->addWidget(new QLabel(QStringLiteral("Localizar"), this));
    find->addWidget(cLocalizar, 1);
    find->addSpacing(16);
    find->addWidget(new QLabel(QStringLiteral("Totais ->"), this));
    find->addWidget(pnTotal);
    auto* centre = new QVBoxLayout;
    centre->addWidget(panel(QStringLiteral("CUSTAS DO PROCESSO"), this));
    centre->addWidget(SgCustas, 1);
    centre->addLayout(find);

    Lixeira = new CostBin(this);
    ui::setHint(Lixeira, QStringLiteral("Arraste um custo do processo para cá para apagá-lo"));
    BtImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    BtSair = new QPushButton(QStringLiteral("&Sair"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Lixeira);
    bottom->addStretch();
    bottom->addWidget(BtImprimir);
    bottom->addWidget(BtSair);

    auto* status = new QStatusBar(this);
    statusLabel = new QLabel(status);
    status->addWidget(statusLabel, 1);
    ui::routeHints(this, statusLabel);

    auto* body = new QHBoxLayout;
    body->addLayout(left, 2);
    body->addLayout(centre, 5);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
    layout->addWidget(status);
    resize(1100, 640);
}

}  // namespace quintara
