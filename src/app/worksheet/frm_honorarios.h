// TFrmHonorarios: one attorney's-fees percentage for every item of the open
// worksheet. "&Confirmar" writes the percentage (kept to two decimals) and
// the fee on each item's total into the rows and item records, and marks
// every item pending so that the next run recomputes its fees.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quintara {

struct WorksheetSession;

namespace ui {
class AmountEdit;
}

class TFrmHonorarios : public QDialog {
    Q_OBJECT
public:
    TFrmHonorarios(WorksheetSession& session, QWidget* parent = nullptr);

    ui::AmountEdit* honorarios = nullptr;  // "Valor Percentual %"
    QPushButton* btOk = nullptr;
    QPushButton* btCancelar = nullptr;
    QLabel* StatusBar1 = nullptr;

public slots:
    void FormActivate();
    void btOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    WorksheetSession& session_;
};

}  // namespace quintara
