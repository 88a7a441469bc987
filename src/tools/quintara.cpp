// quintara: the desktop program. Options: --data DIR starts on that data
// directory (a folder confirmed in the options is still saved); --screenshots DIR renders
// every window to DIR/<window>.png and exits; --start-only opens the main
// window once with every dialog cancelled and exits (timing and checks).
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "app/application.h"
#include "app/screenshots.h"
#include "app/version.h"

namespace {

// A fresh demo data directory made by the command-line tool beside this program.
bool makeDemoData(const QString& folder)
{
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/quintara-cli");
    const int code = QProcess::execute(tool, {QStringLiteral("init"), folder});
    if (code != 0) std::fprintf(stderr, "quintara-cli init %s falhou (%d)\n", qPrintable(folder), code);
    return code == 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QString error;
    std::optional<quintara::StartupOptions> options = quintara::parseArguments(app.arguments().mid(1), error);
    if (!options) {
        std::fprintf(stderr, "%s\nuso: quintara [--data PASTA] [--screenshots PASTA] [--start-only]\n",
                     qPrintable(error));
        return 2;
    }
    QTemporaryDir demo;
    if (!options->screenshotsDir.isEmpty() && options->dataDir.isEmpty()) {
        options->dataDir = demo.path();
        if (!demo.isValid() || !makeDemoData(demo.path())) return 1;
    }

    quintara::Startup startup(*options);
    startup.createWindows();
    if (!options->screenshotsDir.isEmpty())
        return quintara::takeScreenshots(startup, options->screenshotsDir);
    if (options->startOnly) return startup.startOnce();
    return startup.exec();
}
