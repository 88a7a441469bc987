#include "app/f_diretorio.h"

#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/modal_runner.h"

namespace quintara {

TFDiretorio::TFDiretorio(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Selecionar Diretório de Dados"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setObjectName(QStringLiteral("TFDiretorio"));

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QString());

    DiretorioLista = new QTreeView(this);
    DiretorioLista->setObjectName(QStringLiteral("DiretorioLista"));
    DiretorioLista->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) DiretorioLista->hideColumn(column);
    DiretorioLista->header()->hide();
    DiretorioLista->setSortingEnabled(true);
    DiretorioLista->sortByColumn(0, Qt::AscendingOrder);
    DiretorioLista->setSelectionMode(QAbstractItemView::SingleSelection);
    // Folders are read in the background and rows move as they arrive: the
    // starting folder is selected once and only kept in view.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] { keepInitialInView(); });
    connect(
        model_, &QFileSystemModel::rowsInserted, this, [this] { keepInitialInView(); }, Qt::QueuedConnection);
    connect(
        model_, &QFileSystemModel::layoutChanged, this, [this] { keepInitialInView(); },
        Qt::QueuedConnection);
    DiretorioLista->installEventFilter(this);
    DiretorioLista->viewport()->installEventFilter(this);

    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setDefault(true);
    btCancela = new QPushButton(QStringLiteral("Cancela"), this);
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancela, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancela);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DiretorioLista);
    layout->addLayout(buttons);
    setFixedSize(420, 460);
}

void TFDiretorio::selectFolder(const QString& folder)
{
    initial_ = QDir::cleanPath(folder);
    following_ = true;
    selectInitial();
}

void TFDiretorio::selectInitial()
{
    const QModelIndex index = model_->index(initial_);
    if (!index.isValid()) return;
    DiretorioLista->setCurrentIndex(index);
    DiretorioLista->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void TFDiretorio::keepInitialInView()
{
    if (!following_) return;
    const QModelIndex current = DiretorioLista->currentIndex();
    if (!current.isValid()) {
        selectInitial();
        return;
    }
    if (model_->filePath(current) != initial_) {
        following_ = false;
        return;
    }
    DiretorioLista->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

bool TFDiretorio::eventFilter(QObject* watched, QEvent* event)
{
    // The person takes over the tree: from now on nothing moves the selection.
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress || type == QEvent::Wheel)
        following_ = false;
    return QDialog::eventFilter(watched, event);
}

void TFDiretorio::showEvent(QShowEvent* event)
{
    if (!placed_) {
        placed_ = true;
        if (const QScreen* where = screen()) {
            QRect frame(QPoint(), size());
            frame.moveCenter(where->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
    // The tree has its size only now.
    QTimer::singleShot(0, this, [this] { keepInitialInView(); });
}

QString TFDiretorio::selectedPath() const
{
    const QModelIndexList selected = DiretorioLista->selectionModel()->selectedRows();
    const QModelIndex index = selected.isEmpty() ? DiretorioLista->currentIndex() : selected.first();
    return index.isValid() ? model_->filePath(index) : QString();
}

std::optional<std::string> TFDiretorio::choose(QWidget* parent, const std::string& initialFolder)
{
    TFDiretorio dialog(parent);
    dialog.selectFolder(QString::fromStdString(initialFolder));
    if (runModal(dialog) != QDialog::Accepted) return std::nullopt;
    QString chosen = dialog.selectedPath();
    if (chosen.isEmpty()) return std::nullopt;
    if (!chosen.endsWith(QLatin1Char('/'))) chosen += QLatin1Char('/');
    return chosen.toStdString();
}

}  // namespace quintara
