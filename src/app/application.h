// Program start-up: the splash window, the data module wired to the settings
// store and the dialogs, the main window, and the command-line options
// (--data DIR, --screenshots DIR).
#pragma once

#include <QPointer>

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "app/form_abertura.h"

#include "data/data_module.h"
#include "data/settings.h"

namespace quintara {

class TFrmPrincipal;

struct StartupOptions {
    QString dataDir;         // --data: open this folder; the settings are still saved
    QString screenshotsDir;  // --screenshots: render every window there and exit
    bool startOnly = false;  // --start-only: open the main window once, unattended, and exit
};

// Reads the options after the program name (--data DIR, --screenshots DIR,
// --start-only); an error text when they are wrong.
std::optional<StartupOptions> parseArguments(const QStringList& arguments, QString& error);

// The splash bar after each step of start-up: the data module, then each
// long-lived window in creation order.
const std::vector<int>& startupProgress();

class Startup {
public:
    // settings: the store to use; null means the platform store (an
    // in-memory one for screenshots). With options.dataDir the data directory
    // reads as that folder until the person saves another.
    explicit Startup(const StartupOptions& options, std::unique_ptr<Settings> settings = nullptr);
    ~Startup();

    // Shows the splash and creates the data module and the windows,
    // advancing the bar. An error is reported and start-up goes on.
    void createWindows();
    // Shows the main window maximised, activates it and runs the event loop.
    int exec();
    // Shows and activates the main window once with every dialog cancelled,
    // then returns: 0 when the data opened without a message, else 1 (the
    // messages go to standard error). Used to time and check a start.
    int startOnce();

    DataModule& dataModule() { return *dm_; }
    Settings& settings() { return *settings_; }
    TFrmPrincipal& mainWindow() { return *main_; }
    TFormAbertura* splash() { return splash_; }

private:
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<DataModule> dm_;
    std::unique_ptr<TFrmPrincipal> main_;
    QPointer<TFormAbertura> splash_;
};

}  // namespace quintara
