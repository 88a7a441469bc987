// TFrmUsuarios: the users register, a list of user names with new, change,
// delete and detail commands. Opened from the main window, one per opening.
#pragma once

#include <QDialog>
#include <cstdint>

class QMenu;
class QPushButton;
class QTreeWidget;

namespace quintara {

class DataModule;
class TFrmNovoUsuario;

class TFrmUsuarios : public QDialog {
    Q_OBJECT
public:
    TFrmUsuarios(DataModule& dm, QWidget* parent = nullptr);

    // Makes a list row current (and the users table's current record with it).
    void selectRow(int row);

    QTreeWidget* lista = nullptr;
    QPushButton* btNovo = nullptr;
    QPushButton* btAlterar = nullptr;
    QPushButton* btExcluir = nullptr;
    QPushButton* btDestacar = nullptr;
    QPushButton* btSair = nullptr;

public slots:
    void FormActivate();
    void btNovoClick();
    void btAlterarClick();
    void btExcluirClick();
    void btDestacarClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillList(std::uint32_t keepRecord);
    // Moves the users table to the highlighted user; false when there is none.
    bool goToSelected();
    void fillFromCurrent(TFrmNovoUsuario& dialog);

    DataModule& dm_;
    QMenu* menu_ = nullptr;
};

}  // namespace quintara
