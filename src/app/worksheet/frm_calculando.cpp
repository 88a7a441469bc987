#include "app/worksheet/frm_calculando.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

#include "app/worksheet/worksheet_session.h"
#include "engine/data_module_reference.h"
#include "worksheet/worksheet_items.h"

namespace quintara {

namespace {

const QString kWaiting = QStringLiteral("Aguarde ....");
const QString kReady = QStringLiteral("Pronto!");

// Frame n of the turning picture: twelve spokes, the bright one at n.
QPixmap animationFrame(int n)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(24, 24);
    for (int spoke = 0; spoke < 12; ++spoke) {
        const int age = (n - spoke + 12) % 12;
        QColor color(20, 60, 140);
        color.setAlpha(255 - age * 18);
        painter.setPen(QPen(color, 4, Qt::SolidLine, Qt::RoundCap));
        const double angle = spoke * std::numbers::pi / 6.0;
        painter.drawLine(QPointF(10 * std::sin(angle), -10 * std::cos(angle)),
                         QPointF(20 * std::sin(angle), -20 * std::cos(angle)));
    }
    return pixmap;
}

}  // namespace

TFrmCalculando::TFrmCalculando(WorksheetSession& session, int row, QWidget* parent)
    : QDialog(parent), session_(session), row_(row)
{
    setObjectName(QStringLiteral("TFrmCalculando"));
    setWindowTitle(QStringLiteral("Calculando"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    for (int n = 0; n < 12; ++n) frames_[n] = animationFrame(n);

    ImagemCalculo = new QLabel(this);
    ImagemCalculo->setObjectName(QStringLiteral("ImagemCalculo"));
    ImagemCalculo->setPixmap(frames_[0]);
    auto* itemCaption = new QLabel(QStringLiteral("Item"), this);
    NumeroItem = new QLabel(QStringLiteral("000"), this);
    NumeroItem->setObjectName(QStringLiteral("NumeroItem"));
    QFont big = NumeroItem->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    NumeroItem->setFont(big);
    lbStatus = new QLabel(kWaiting, this);
    lbStatus->setObjectName(QStringLiteral("lbStatus"));
    Button1 = new QPushButton(QStringLiteral("&Interromper"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(ImagemCalculo);
    auto* numbers = new QVBoxLayout;
    numbers->addWidget(itemCaption);
    numbers->addWidget(NumeroItem);
    top->addLayout(numbers);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lbStatus);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(240, 0)));

    connect(Button1, &QPushButton::clicked, this, &TFrmCalculando::Button1Click);
}

void TFrmCalculando::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The run starts once, after the window has been painted; showing the
    // window again (or coming back from another program) never restarts it.
    if (started_) return;
    started_ = true;
    QTimer::singleShot(0, this, &TFrmCalculando::PreparaCalculo);
}

void TFrmCalculando::PreparaCalculo()
{
    if (running_ || finished_) return;
    running_ = true;
    DataModuleReference data(session_.dm);
    DataModuleItemStore store(session_.dm);
    RunHooks hooks;
    hooks.interrupted = [this] { return interrupt_; };
    hooks.progress = [this](int item, int stepNumber) { step(item, stepNumber); };
    hooks.itemEnded = [](int) { QApplication::beep(); };
    try {
        report_ = quintara::PreparaCalculo(data, session_.grid, &store, session_.caseNumber,
                                           session_.calculationDate, row_, hooks);
    } catch (const std::exception& e) {
        report_.platformError = e.what();
    }
    keepStageTexts();
    running_ = false;
    finished_ = true;
    lbStatus->setText(kReady);
    Button1->setText(QStringLiteral("&OK"));
    Button1->setEnabled(true);
    emit runFinished();
}

void TFrmCalculando::step(int item, int stepNumber)
{
    NumeroItem->setText(QString::fromStdString(itemNumberText(item)));
    frame_ = (frame_ + 1) % 12;
    ImagemCalculo->setPixmap(frames_[frame_]);
    emit stepDone(item, stepNumber);
    // The only moment a click on "&Interromper" can reach the window: the
    // run is on this thread and tests the flag between steps.
    QCoreApplication::processEvents();
}

void TFrmCalculando::keepStageTexts()
{
    for (const ItemReport& item : report_.items) {
        const ItemCalculation& calc = item.calculation;
        if (calc.outcome == ItemOutcome::FailedStage)
            session_.stageErrors[item.row] = {calc.error};
        else if (calc.outcome == ItemOutcome::Calculated)
            session_.stageErrors.erase(item.row);
    }
}

void TFrmCalculando::Button1Click()
{
    if (running_) {
        interrupt_ = true;
        Button1->setEnabled(false);
        return;
    }
    if (finished_) accept();
}

void TFrmCalculando::reject()
{
    // Escape while the run goes on interrupts it; the window closes only
    // once the run is over.
    if (running_) {
        Button1Click();
        return;
    }
    if (finished_) QDialog::reject();
}

void TFrmCalculando::closeEvent(QCloseEvent* event)
{
    if (!finished_) {
        if (running_) Button1Click();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace quintara
