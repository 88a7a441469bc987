// TFrmNovaMoeda: the "Nova Moeda" dialog. It collects a new currency era and
// checks it however it is accepted (OK, Enter); the currencies window stores it.
#pragma once

#include <QDialog>

#include "data/amount.h"
#include "data/date.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quintara {

namespace ui {
class DateEdit;
}

class TFrmNovaMoeda : public QDialog {
    Q_OBJECT
public:
    // latest: the start of the latest era stored; a new era must begin after it.
    explicit TFrmNovaMoeda(Date latest, QWidget* parent = nullptr);

    // The checked contents (valid once the dialog was accepted).
    Date date() const;
    Amount conversion() const { return conversion_; }

    ui::DateEdit* dData = nullptr;
    QLineEdit* cNomesing = nullptr;
    QLineEdit* cNomePLu = nullptr;
    QLineEdit* cSigla = nullptr;
    QLineEdit* cValor = nullptr;
    QPlainTextEdit* cHistorico = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

public slots:
    void accept() override;

private:
    bool refuse(QWidget* focus, const QString& text);

    Date latest_;
    Amount conversion_;
};

}  // namespace quintara
