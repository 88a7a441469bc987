// TFrmDestacaUsuario: the detail dialog of the users register; shows a user's
// name, code and permissions without letting them change. Nothing is saved.
#pragma once

#include "app/frm_novo_usuario.h"

namespace quintara {

class TFrmDestacaUsuario : public TFrmNovoUsuario {
    Q_OBJECT
public:
    TFrmDestacaUsuario(DataModule& dm, QWidget* parent = nullptr);
};

}  // namespace quintara
