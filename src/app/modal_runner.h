// How the application shows its modal windows. The default runs the dialog's
// own event loop; tests and the screenshot mode install a runner that shows
// the dialog, drives it and returns its result without blocking.
#pragma once

#include <functional>

class QDialog;

namespace quintara {

using ModalRunner = std::function<int(QDialog&)>;

// Shows the dialog modally and returns its result (QDialog::Accepted/Rejected).
int runModal(QDialog& dialog);
// Installs a runner (an empty one restores the default) and returns the previous one.
ModalRunner installModalRunner(ModalRunner runner);

// Installs a runner for the lifetime of this object.
class ModalRunnerScope {
public:
    explicit ModalRunnerScope(ModalRunner runner) : previous_(installModalRunner(std::move(runner))) {}
    ~ModalRunnerScope() { installModalRunner(std::move(previous_)); }
    ModalRunnerScope(const ModalRunnerScope&) = delete;
    ModalRunnerScope& operator=(const ModalRunnerScope&) = delete;

private:
    ModalRunner previous_;
};

}  // namespace quintara
