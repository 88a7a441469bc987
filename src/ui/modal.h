// Modal child windows that live for one opening: create, exec, read, destroy.
#pragma once

#include <QDialog>
#include <memory>
#include <utility>

namespace quintara::ui {

// Shows the dialog modally, lets `after` read it (with the exec() result),
// then destroys it, also when `after` throws. Returns the exec() result.
//     int r = execModal(std::make_unique<TFrmSelecaoUsuario>(dm, this),
//                       [&](TFrmSelecaoUsuario& d, int r) { if (r == QDialog::Accepted) code = d.code(); });
template <class Dialog, class After>
int execModal(std::unique_ptr<Dialog> dialog, After&& after)
{
    const int result = dialog->exec();
    std::forward<After>(after)(*dialog, result);
    return result;
}

template <class Dialog>
int execModal(std::unique_ptr<Dialog> dialog)
{
    return dialog->exec();
}

}  // namespace quintara::ui
