#include "app/modal_runner.h"

#include <QDialog>

namespace quintara {

namespace {

ModalRunner& currentRunner()
{
    static ModalRunner runner;
    return runner;
}

}  // namespace

int runModal(QDialog& dialog)
{
    if (currentRunner()) return currentRunner()(dialog);
    return dialog.exec();
}

ModalRunner installModalRunner(ModalRunner runner)
{
    ModalRunner previous = std::move(currentRunner());
    currentRunner() = std::move(runner);
    return previous;
}

}  // namespace quintara
