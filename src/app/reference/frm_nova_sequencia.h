// TFrmNovaSequencia: the dialog that creates a correction form (code, chain
// of indices and description). TFrmEditaSequencia reuses it to change one.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace quintara {

class DataModule;

class TFrmNovaSequencia : public QDialog {
    Q_OBJECT
public:
    explicit TFrmNovaSequencia(DataModule& dm, QWidget* parent = nullptr);

    // The code proposed in the code field when the dialog opens.
    void setProposedCode(const QString& code) { proposedCode_ = code; }
    // The code of the form stored by "Confirmar" (empty until then).
    const std::string& storedCode() const { return storedCode_; }

    QLineEdit* cCodSeq = nullptr;
    QLineEdit* csequencia = nullptr;
    QComboBox* DBLCombo = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPlainTextEdit* historico = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancelar = nullptr;
    QLabel* status = nullptr;

public slots:
    void FormActivate();
    void cCodSeqExit();
    void csequenciaExit();
    void SpeedButton1Click();
    void btOKClick();
    // Every way of accepting (the button, Enter) checks the chain and stores.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Writes the form; throws on a table error (the dialog then stays open).
    virtual void store();
    void setStoredCode(std::string code) { storedCode_ = std::move(code); }
    DataModule& dm_;

private:
    void checkChainAfterEditing();
    // Shows the chain's problem and returns the focus to it; false when there is one.
    bool chainIsAcceptable();
    void setHintTexts(QWidget* widget, const QString& hint, const QString& onEnter);

    QString proposedCode_ = QStringLiteral("001");
    QString lastCheckedChain_;
    std::string storedCode_;
};

}  // namespace quintara
