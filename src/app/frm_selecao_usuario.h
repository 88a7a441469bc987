// TFrmSelecaoUsuario: the access-control dialog in which the person types a
// user's 6-character code; the main window selects that user on OK.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quintara {

class DataModule;

class TFrmSelecaoUsuario : public QDialog {
    Q_OBJECT
public:
    TFrmSelecaoUsuario(DataModule& dm, QWidget* parent = nullptr);

    // The typed code, at most 6 characters.
    QString codigo() const;

    QLineEdit* cCodigo = nullptr;
    QPushButton* btOk = nullptr;
    QPushButton* btCancelar = nullptr;

public slots:
    void FormActivate();
    void cCodigoChange(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DataModule& dm_;
};

}  // namespace quintara
