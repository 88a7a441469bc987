#include "app/frm_sobre.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/version.h"

namespace quintara {

TFrmSobre::TFrmSobre(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFrmSobre"));
    setWindowTitle(QStringLiteral("Sobre"));

    auto* name = new QLabel(QStringLiteral("Quintara"), this);
    QFont big = name->font();
    big.setPointSize(22);
    big.setBold(true);
    name->setFont(big);
    auto* subtitle = new QLabel(QStringLiteral("Correção Monetária"), this);
    auto* version = new QLabel(QStringLiteral("Versão %1").arg(QString::fromLatin1(kVersion)), this);
    version->setObjectName(QStringLiteral("version"));
    auto* maker = new QLabel(QStringLiteral("Brenvik Sistemas"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QLabel* label : {name, subtitle, version, maker}) layout->addWidget(label, 0, Qt::AlignHCenter);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setMinimumWidth(320);
}

}  // namespace quintara
