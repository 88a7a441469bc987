#include "app/frm_selecao_usuario.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/app_errors.h"
#include "data/data_module.h"
#include "ui/prompter.h"

namespace quintara {

TFrmSelecaoUsuario::TFrmSelecaoUsuario(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmSelecaoUsuario"));
    setWindowTitle(QStringLiteral("Controle de Acesso"));

    auto* label = new QLabel(QStringLiteral("Usuário Código"), this);
    cCodigo = new QLineEdit(this);
    cCodigo->setObjectName(QStringLiteral("cCodigo"));
    cCodigo->setMaxLength(6);
    cCodigo->setEchoMode(QLineEdit::Password);
    // Each typed character shows as "$".
    cCodigo->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 36; }"));
    cCodigo->installEventFilter(this);
    label->setBuddy(cCodigo);

    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setDefault(true);
    btCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(cCodigo, &QLineEdit::textChanged, this, &TFrmSelecaoUsuario::cCodigoChange);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(cCodigo, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancelar);
    layout->addLayout(buttons, 1, 0, 1, 2);
    btOk->setEnabled(false);
    setMinimumWidth(300);
}

QString TFrmSelecaoUsuario::codigo() const
{
    return cCodigo->text().left(6);
}

void TFrmSelecaoUsuario::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmSelecaoUsuario::FormActivate()
{
    guarded([&] {
        foxpro::Table& users = dm_.Usuarios();
        users.setTag("indusr01");
        users.first();
        const bool single = !users.eof() && (users.next(), users.eof());
        if (single) {
            users.first();
            // Filling the field runs the same check as typing it.
            cCodigo->setText(QString::fromStdString(users.getRaw("CODIGO")));
            btOk->setEnabled(true);
            btOk->setFocus();
        } else {
            btOk->setEnabled(false);
            cCodigo->setFocus();
        }
    });
}

void TFrmSelecaoUsuario::cCodigoChange(const QString& text)
{
    if (text.size() != 6) {
        btOk->setEnabled(false);
        return;
    }
    guarded([&] {
        foxpro::Table& users = dm_.Usuarios();
        users.setTag("indusr01");
        if (users.seek({text.toStdString()})) {
            btOk->setEnabled(true);
        } else {
            btOk->setEnabled(false);
            ui::Prompter::current().error(QStringLiteral("Erro !"),
                                          QStringLiteral("Usuário não cadastrado."));
        }
    });
}

bool TFrmSelecaoUsuario::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cCodigo && event->type() == QEvent::FocusIn) QApplication::beep();
    return QDialog::eventFilter(watched, event);
}

}  // namespace quintara
