#include "app/cases/frm_incluir_nomes.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/case_register.h"
#include "data/text_routines.h"
#include "ui/hints.h"

namespace quintara {

namespace {

constexpr int kInitialRows = 9;

QString cell(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

TFrmIncluirNomes::TFrmIncluirNomes(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFrmIncluirNomes"));
    setWindowTitle(QStringLiteral("Nomes das Partes"));

    Grid = new QTableWidget(kInitialRows, 4, this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setHorizontalHeaderLabels({QStringLiteral("Nome Pessoa"), QStringLiteral("Citado Como"),
                                     QStringLiteral("CPF/CGC"), QStringLiteral("R")});
    Grid->setColumnWidth(0, 280);
    Grid->setColumnWidth(1, 150);
    Grid->setColumnWidth(2, 130);
    Grid->setColumnWidth(3, 24);
    Grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed);
    Grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui::setHint(Grid,
                QStringLiteral("Pressioner qualquer caractere para editar. Use o botão direito do mouse."));
    Grid->installEventFilter(this);

    auto* excluir = new QAction(QStringLiteral("&Excluir"), Grid);
    excluir->setShortcut(QKeySequence(Qt::Key_Delete));
    excluir->setShortcutContext(Qt::WidgetShortcut);
    auto* inserir = new QAction(QStringLiteral("&Inserir Linha"), Grid);
    inserir->setShortcut(QKeySequence(Qt::Key_Insert));
    inserir->setShortcutContext(Qt::WidgetShortcut);
    Grid->addAction(excluir);
    Grid->addAction(inserir);
    connect(excluir, &QAction::triggered, this, &TFrmIncluirNomes::Excluir1Click);
    connect(inserir, &QAction::triggered, this, &TFrmIncluirNomes::InserirLinha1Click);

    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setDefault(true);
    ui::setHint(btOk, QStringLiteral("Clique para confirmar edições"));
    btCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    ui::setHint(btCancelar, QStringLiteral("Clique para cancelar edições"));
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto* status = new QStatusBar(this);
    statusLabel = new QLabel(status);
    status->addWidget(statusLabel, 1);
    status->setSizeGripEnabled(false);
    ui::routeHints(this, statusLabel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grid, 1);
    layout->addLayout(buttons);
    layout->addWidget(status);
    resize(640, 340);
}

void TFrmIncluirNomes::setLines(const std::vector<std::string>& lines)
{
    if (Grid->rowCount() < static_cast<int>(lines.size())) Grid->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        const std::string& line = lines[static_cast<std::size_t>(row)];
        const CaseName name = nameFromLine(line);
        const std::string values[] = {name.name, name.citedAs, name.document, markOfLine(line)};
        for (int column = 0; column < 4; ++column)
            Grid->setItem(row, column, new QTableWidgetItem(QString::fromStdString(values[column])));
    }
}

std::vector<std::string> TFrmIncluirNomes::lines() const
{
    // Rows without a name are left out: they would be stored as nameless people.
    std::vector<std::string> result;
    for (int row = 0; row < Grid->rowCount(); ++row) {
        const QString name = cell(Grid, row, 0);
        if (IsBlank(name.toStdString())) continue;
        const CaseName person{name.trimmed().toStdString(), cell(Grid, row, 1).trimmed().toStdString(),
                              cell(Grid, row, 2).trimmed().toStdString()};
        result.push_back(namesLine(person, cell(Grid, row, 3).toStdString()));
    }
    return result;
}

void TFrmIncluirNomes::Excluir1Click()
{
    const int row = Grid->currentRow();
    if (row < 0) return;
    for (int column = 0; column < 4; ++column) Grid->setItem(row, column, new QTableWidgetItem);
}

void TFrmIncluirNomes::InserirLinha1Click()
{
    Grid->setRowCount(Grid->rowCount() + 1);
    Grid->setCurrentCell(Grid->rowCount() - 1, std::max(Grid->currentColumn(), 0));
}

bool TFrmIncluirNomes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Grid && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Down && Grid->currentRow() == Grid->rowCount() - 1) {
            InserirLinha1Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quintara
