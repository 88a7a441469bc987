#include "app/worksheet/frm_honorarios.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "app/worksheet/worksheet_session.h"
#include "ui/amount_edit.h"
#include "ui/hints.h"
#include "ui/prompter.h"
#include "worksheet/worksheet_fees.h"

namespace quintara {

TFrmHonorarios::TFrmHonorarios(WorksheetSession& session, QWidget* parent)
    : QDialog(parent), session_(session)
{
    setWindowTitle(QStringLiteral("Honorários"));
    honorarios = new ui::AmountEdit(this, 2);
    honorarios->setAmount(Amount());
    ui::setHint(honorarios, QStringLiteral("Percentual dos honorários sobre o total de cada item"));
    auto* field = new QHBoxLayout;
    field->addWidget(new QLabel(QStringLiteral("Valor Percentual %"), this));
    field->addWidget(honorarios);
    auto* text = new QLabel(QStringLiteral("O Valor dos Honorários será incluso nos itens da\n"
                                           "planilha; caso não tenha definido nenhum item, \n"
                                           "apenas o botão  'Cancelar' abaixo estará disponível."),
                            this);
    btOk = new QPushButton(QStringLiteral("&Confirmar"), this);
    btOk->setDefault(true);
    btCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancelar);
    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    StatusBar1 = new QLabel(status);
    status->addWidget(StatusBar1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addWidget(text);
    layout->addLayout(buttons);
    layout->addWidget(status);
    connect(btOk, &QPushButton::clicked, this, &TFrmHonorarios::btOkClick);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmHonorarios::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, &TFrmHonorarios::FormActivate);
}

void TFrmHonorarios::FormActivate()
{
    const int items = countItems(session_.grid);
    btOk->setEnabled(items > 0);
    StatusBar1->setText(QStringLiteral("Total de Itens na planilha = ") + QString::number(items));
    honorarios->setFocus();
}

void TFrmHonorarios::btOkClick()
{
    // Without items the button is disabled; Enter on it must not get past that.
    if (!btOk->isEnabled()) return;
    Amount percentage;
    try {
        percentage = feePercentage(honorarios->amount());
    } catch (const std::exception& e) {
        ui::Prompter::current().error(QStringLiteral("Atenção !"), QString::fromStdString(e.what()));
        honorarios->setFocus();
        return;
    }
    honorarios->setAmount(percentage);
    try {
        applyFees(session_.dm, session_.grid, session_.caseNumber, percentage);
    } catch (const std::exception& e) {
        // Rows already given the fees stay so; the worksheet shows them.
        ui::Prompter::current().error(QStringLiteral("Atenção !"), QString::fromStdString(e.what()));
    }
    accept();
}

}  // namespace quintara
