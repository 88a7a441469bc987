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

    // Selects the folder the dialog starts on, opens the tree down to it and
    // keeps it in view while the tree reads its folders, until the person
    // moves in the tree with the keyboard or the mouse.
    void selectFolder(const QString& folder);
    // The folder the person selected, without a trailing separator; empty when none.
    QString selectedPath() const;

    // Shows the dialog modally starting on initialFolder; the chosen folder
    // ending with "/", or nothing on Cancel.
    static std::optional<std::string> choose(QWidget* parent, const std::string& initialFolder);

    QTreeView* DiretorioLista = nullptr;
    QPushButton* btOk = nullptr;
    QPushButton* btCancela = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectInitial();
    void keepInitialInView();

    QFileSystemModel* model_ = nullptr;
    QString initial_;         // the folder the dialog starts on
    bool following_ = false;  // the initial folder is kept in view as folders load
    bool placed_ = false;     // centred on the screen at its first showing
};

}  // namespace quintara
