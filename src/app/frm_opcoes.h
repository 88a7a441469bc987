// TFrmOpcoes: the options window, where the person sees and changes the data
// directory used from the next start of the program, and how many backup
// archives of the data directory are kept.
#pragma once

#include <QDialog>

#include "data/data_module.h"

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quintara {

class Settings;

class TFrmOpcoes : public QDialog {
    Q_OBJECT
public:
    // chooser asks for a folder (the directory dialog); initialFolder is where it opens.
    TFrmOpcoes(Settings& settings, DataModule& dm, DataModule::FolderChooser chooser,
               QWidget* parent = nullptr);

    QLineEdit* Dirdados = nullptr;
    QPushButton* btProcurar = nullptr;
    QSpinBox* CopiasManter = nullptr;
    QPushButton* btConfirmar = nullptr;
    QPushButton* btCancelar = nullptr;

public slots:
    // On creation: without a data directory chosen yet, ask for one at once.
    void FormCreate();
    void FormActivate();
    void btProcurarClick();
    void btConfirmarClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::optional<std::string> askFolder();
    QWidget* backupBox(QWidget* page);

    Settings& settings_;
    DataModule& dm_;
    DataModule::FolderChooser chooser_;
};

}  // namespace quintara
