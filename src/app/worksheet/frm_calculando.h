// TFrmCalculando: the small window of a worksheet calculation run. It starts
// the run once, queued after it is shown, shows the item being calculated
// and a turning picture, and lets the person interrupt between steps.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <array>

#include "worksheet/worksheet_run.h"

class QLabel;
class QPushButton;

namespace quintara {

struct WorksheetSession;

class TFrmCalculando : public QDialog {
    Q_OBJECT
public:
    // row 0 = every item marked "$", n > 0 = row n only.
    TFrmCalculando(WorksheetSession& session, int row, QWidget* parent = nullptr);

    bool running() const { return running_; }
    bool finished() const { return finished_; }
    const RunReport& report() const { return report_; }
    int frame() const { return frame_; }

    QLabel* ImagemCalculo = nullptr;
    QLabel* NumeroItem = nullptr;
    QLabel* lbStatus = nullptr;
    QPushButton* Button1 = nullptr;

signals:
    // After every step of an item, while the run goes on.
    void stepDone(int item, int step);
    void runFinished();

public slots:
    void PreparaCalculo();
    void Button1Click();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void step(int item, int stepNumber);
    void keepStageTexts();

    WorksheetSession& session_;
    int row_;
    bool started_ = false;
    bool running_ = false;
    bool finished_ = false;
    bool interrupt_ = false;
    int frame_ = 0;
    std::array<QPixmap, 12> frames_;
    RunReport report_;
};

}  // namespace quintara
