#include "app/form_abertura.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include "app/version.h"

namespace quintara {

TFormAbertura::TFormAbertura(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TFormAbertura"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        QStringLiteral("quintara--TFormAbertura { background: #0b3d6e; } QLabel { color: white; }"));

    auto* picture = new QFrame(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setStyleSheet(
        QStringLiteral("#picture { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, "
                       "stop:0 #1565a8, stop:1 #0b3d6e); border: 1px solid #7fb2e0; }"));
    auto* name = new QLabel(QStringLiteral("Quintara"), picture);
    QFont big = name->font();
    big.setPointSize(34);
    big.setBold(true);
    name->setFont(big);
    auto* subtitle = new QLabel(QStringLiteral("Correção Monetária"), picture);
    QFont medium = subtitle->font();
    medium.setPointSize(15);
    subtitle->setFont(medium);
    auto* version = new QLabel(QStringLiteral("Versão %1").arg(QString::fromLatin1(kVersion)), picture);
    auto* pictureLayout = new QVBoxLayout(picture);
    pictureLayout->addStretch();
    pictureLayout->addWidget(name, 0, Qt::AlignHCenter);
    pictureLayout->addWidget(subtitle, 0, Qt::AlignHCenter);
    pictureLayout->addWidget(version, 0, Qt::AlignHCenter);
    pictureLayout->addStretch();

    auto* caption = new QLabel(QStringLiteral("Windows 95/98/NT/Me/2000 compatível"), this);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(10);
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedHeight(14);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 1);
    layout->addWidget(caption);
    layout->addWidget(ProgressBar);
    setFixedSize(460, 280);
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormAbertura::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ProgressBar->setStyleSheet(
        QStringLiteral("QProgressBar { background: white; border: 1px solid #7fb2e0; } QProgressBar::chunk { "
                       "background: rgb(0,255,0); }"));
}

void TFormAbertura::setProgress(int position)
{
    ProgressBar->setValue(position);
    history_.push_back(position);
    if (isVisible()) repaint();
}

int TFormAbertura::progress() const
{
    return ProgressBar->value();
}

}  // namespace quintara
