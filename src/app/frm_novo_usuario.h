// TFrmNovoUsuario: the user dialog with name, access code and permission boxes.
// The register uses it for a new user; the change and detail dialogs are
// variants of it (TFrmUsuarioPermissoes, TFrmDestacaUsuario).
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace quintara {

class DataModule;

class TFrmNovoUsuario : public QDialog {
    Q_OBJECT
public:
    TFrmNovoUsuario(DataModule& dm, QWidget* parent = nullptr);

    // The working permission string (what is stored on OK).
    const std::string& permissionString() const { return permissions_; }
    // The code as stored: 6 positions, an unfilled one a space.
    std::string codeText() const;
    // The box of a permission code ("33" ... "00").
    QCheckBox* box(std::string_view code) const;
    // The record this dialog changes (0 for a new user): another user may not
    // hold the same code.
    void setOwnRecord(std::uint32_t recNo) { ownRecord_ = recNo; }

    QLabel* ItOrdem = nullptr;
    QLineEdit* cNome = nullptr;
    QLineEdit* cCodigo = nullptr;
    QGroupBox* gbPermissoes = nullptr;
    QCheckBox* cbUsuarios = nullptr;
    QCheckBox* CbIndices = nullptr;
    QCheckBox* CbValorIndices = nullptr;
    QCheckBox* CbNovaMOeda = nullptr;
    QCheckBox* CbFormadeCorrecao = nullptr;
    QCheckBox* CbCustas = nullptr;
    QCheckBox* cbAlterarProcesso = nullptr;
    QCheckBox* cbConsultaProcesso = nullptr;
    QCheckBox* cbTodasConsultas = nullptr;
    QCheckBox* cbSupervisor = nullptr;
    QStatusBar* StatusBar = nullptr;
    QPushButton* btOk = nullptr;
    QPushButton* btCancelar = nullptr;

public slots:
    void FormActivate();
    // Rebuilds the working string from the boxes, in the fixed code order.
    void gbPermissoesExit();
    void btOkClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The name is shown read-only (the change and detail dialogs).
    void showNameReadOnly();
    // The boxes show the permissions but cannot be changed (the detail dialog).
    void lockPermissions();
    DataModule& dm_;

private slots:
    void focusChanged(QWidget* old, QWidget* now);

private:
    QGroupBox* buildPermissionGroup();
    bool insidePermissions(QWidget* widget) const;
    bool codeIsAcceptable();
    std::array<QCheckBox*, 10> boxesInOrder() const;

    std::string permissions_;
    bool locked_ = false;
    std::uint32_t ownRecord_ = 0;
};

}  // namespace quintara
