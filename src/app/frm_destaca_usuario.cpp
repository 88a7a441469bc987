#include "app/frm_destaca_usuario.h"

#include <QLineEdit>
#include <QPushButton>

namespace quintara {

TFrmDestacaUsuario::TFrmDestacaUsuario(DataModule& dm, QWidget* parent) : TFrmNovoUsuario(dm, parent)
{
    setObjectName(QStringLiteral("TFrmDestacaUsuario"));
    setWindowTitle(QStringLiteral("Dados do Usuário"));
    showNameReadOnly();
    cCodigo->setReadOnly(true);
    btCancelar->hide();
    lockPermissions();
}

}  // namespace quintara
