// TFDiretorio: the dialog in which the person picks the data directory, a tree
// of folders only. Used at start-up when no data is found and by the options.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QFileSystemModel;
class QTreeView;
class QPushButton;

namespace quintara {

class TFDiretorio : public QDialog {
    Q_OBJECT
public:
    explicit TFDiretorio(QWidget* parent = nullptr);

    // Selects a folder in the tree (and opens the tree down to it).
    void selectFolder(const QString& folder);
    // The selected folder, without a trailing separator; empty when none.
    QString selectedPath() const;

    // Shows the dialog modally starting on initialFolder; the chosen folder
    // ending with "/", or nothing on Cancel.
    static std::optional<std::string> choose(QWidget* parent, const std::string& initialFolder);

    QTreeView* DiretorioLista = nullptr;
    QPushButton* btOk = nullptr;
    QPushButton* btCancela = nullptr;

private:
    void showPending();

    QFileSystemModel* model_ = nullptr;
    QString pending_;  // the folder to show once the model has read its way down to it
};

}  // namespace quintara
