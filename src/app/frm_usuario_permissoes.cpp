#include "app/frm_usuario_permissoes.h"

namespace quintara {

TFrmUsuarioPermissoes::TFrmUsuarioPermissoes(DataModule& dm, QWidget* parent) : TFrmNovoUsuario(dm, parent)
{
    setObjectName(QStringLiteral("TFrmUsuarioPermissoes"));
    setWindowTitle(QStringLiteral("Alterar Permissões do Usuário"));
    showNameReadOnly();
}

}  // namespace quintara
