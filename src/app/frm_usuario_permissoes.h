// TFrmUsuarioPermissoes: the change dialog of the users register; the user
// dialog with the name read-only and the code and permissions editable.
#pragma once

#include "app/frm_novo_usuario.h"

namespace quintara {

class TFrmUsuarioPermissoes : public TFrmNovoUsuario {
    Q_OBJECT
public:
    TFrmUsuarioPermissoes(DataModule& dm, QWidget* parent = nullptr);
};

}  // namespace quintara
