// TFrmIndiEcoManut: the "Novo Índice" dialog, which registers new indices in
// DST_TCM1 one after another until it is closed. TFrmAlteraIndEco reuses its
// controls to change the selected index.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <string>

#include "data/date.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

namespace quintara {

class DataModule;

namespace ui {
class DateEdit;
}

class TFrmIndiEcoManut : public QDialog {
    Q_OBJECT
public:
    TFrmIndiEcoManut(DataModule& dm, QWidget* parent = nullptr);

    // The stored one-character codes of the radio choices ("1".."4", "1"/"2").
    std::string kindCode() const;
    std::string periodicityCode() const;
    void setKindCode(const std::string& code);
    void setPeriodicityCode(const std::string& code);

    QLineEdit* cCodIndice = nullptr;
    QLabel* lbDesc = nullptr;
    QLineEdit* cDesc = nullptr;
    ui::DateEdit* dDat1 = nullptr;
    ui::DateEdit* dDat2 = nullptr;
    QGroupBox* RdPeriodicidade = nullptr;
    QGroupBox* RdForma = nullptr;
    QPlainTextEdit* cMemo = nullptr;
    QPushButton* btConfirma = nullptr;
    QPushButton* btAbandona = nullptr;
    QStatusBar* StatusBar = nullptr;

public slots:
    void Limpavar();
    virtual void btConfirmaClick();

protected:
    void showEvent(QShowEvent* event) override;
    // The typed code, trimmed; shows the empty-code message when there is none.
    std::optional<std::string> typedCode();
    // The code of another index than recNo (0 = any) equal to code: shows the
    // duplicate message and puts the cursor on the code.
    bool refuseDuplicate(const std::string& code, std::uint32_t ownRecNo);
    // A typed date, or the empty date when the field does not hold a real one.
    static Date dateOrNone(const ui::DateEdit* field);
    void writeDescriptiveFields();

    DataModule& dm_;
    QButtonGroup* periodicity_ = nullptr;
    QButtonGroup* kind_ = nullptr;
};

}  // namespace quintara
