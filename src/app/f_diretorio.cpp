#include "app/f_diretorio.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
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
    DiretorioLista->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) DiretorioLista->hideColumn(column);
    DiretorioLista->header()->hide();
    DiretorioLista->setSelectionMode(QAbstractItemView::SingleSelection);
    // Folders are read in the background: keep the chosen one in view as they arrive.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (!pending_.isEmpty()) showPending();
    });
    connect(DiretorioLista, &QTreeView::clicked, this, [this] { pending_.clear(); });

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
    pending_ = QDir::cleanPath(folder);
    showPending();
}

void TFDiretorio::showPending()
{
    const QModelIndex index = model_->index(pending_);
    if (!index.isValid()) return;
    DiretorioLista->setCurrentIndex(index);
    DiretorioLista->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

QString TFDiretorio::selectedPath() const
{
    const QModelIndex index = DiretorioLista->currentIndex();
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
