#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/app_errors.h"
#include "app/f_diretorio.h"
#include "app/form_abertura.h"
#include "app/frm_principal.h"
#include "app/modal_runner.h"
#include "app/qt_settings.h"
#include "app/run_folder_settings.h"
#include "app/version.h"
#include "ui/prompter.h"

namespace quintara {

std::optional<StartupOptions> parseArguments(const QStringList& arguments, QString& error)
{
    StartupOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (name == QLatin1String("--start-only")) {
            options.startOnly = true;
            continue;
        }
        QString* target = name == QLatin1String("--data")          ? &options.dataDir
                          : name == QLatin1String("--screenshots") ? &options.screenshotsDir
                                                                   : nullptr;
        if (!target) {
            error = QStringLiteral("opção desconhecida: %1").arg(name);
            return std::nullopt;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
            error = QStringLiteral("falta a pasta depois de %1").arg(name);
            return std::nullopt;
        }
        *target = arguments[++i];
    }
    return options;
}

const std::vector<int>& startupProgress()
{
    // The data module, then: main window (no change), browser, index tables,
    // index chart, index maintenance, currency table, correction forms, new
    // and edited sequences, reorganiser, costs table, index change, sheet
    // report, worksheet (bar set to 96) and costs count (set to 100).
    static const std::vector<int> steps = {9, 9, 18, 27, 36, 45, 54, 58, 61, 63, 72, 81, 90, 99, 96, 100};
    return steps;
}

Startup::Startup(const StartupOptions& options, std::unique_ptr<Settings> settings)
    : settings_(std::move(settings))
{
    if (!settings_) {
        // Screenshots are no person's run: they leave the store alone.
        if (options.screenshotsDir.isEmpty())
            settings_ = std::make_unique<QtSettings>();
        else
            settings_ = std::make_unique<MemorySettings>();
    }
    if (!options.dataDir.isEmpty()) {
        // A folder named on the command line opens this run; what the person
        // confirms in the options is still saved for the next start.
        QString folder = QDir(options.dataDir).absolutePath();
        if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
        settings_ = std::make_unique<RunFolderSettings>(std::move(settings_), folder.toStdString());
    }
}

Startup::~Startup()
{
    delete splash_;
}

void Startup::createWindows()
{
    splash_ = new TFormAbertura;
    splash_->show();
    splash_->repaint();
    QApplication::processEvents();
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(QStringLiteral("quintara"));

    const std::vector<int>& steps = startupProgress();
    guarded([&] {
        dm_ = std::make_unique<DataModule>();
        dm_->setSettings(settings_.get());
        dm_->setProgramFolder(QCoreApplication::applicationDirPath().toStdString() + "/");
        dm_->setMessageHandler(ui::prompterMessageHandler());
        splash_->setProgress(steps[0]);

        main_ = std::make_unique<TFrmPrincipal>(*dm_, *settings_);
        TFrmPrincipal* main = main_.get();
        DataModule::FolderChooser chooser = [main](const std::string& initial) {
            return TFDiretorio::choose(main, initial);
        };
        dm_->setFolderChooser(chooser);
        main_->setFolderChooser(chooser);
        main_->setSplash(splash_);
        // The other long-lived windows are created by the windows that own them;
        // the bar keeps the pace of the whole start-up.
        for (std::size_t i = 1; i < steps.size(); ++i) splash_->setProgress(steps[i]);
    });
}

namespace {

// Runs the main window's first activation once the window manager has given
// it its maximised size, so that the sheet and the access dialog are laid out
// on the window the person sees. A window manager that never maximises only
// delays the activation by a moment.
class FirstActivation : public QObject {
public:
    FirstActivation(QWidget* window, std::function<void()> activate)
        : QObject(window), window_(window), activate_(std::move(activate))
    {
        window_->installEventFilter(this);
        QTimer::singleShot(kPatienceMs, this, [this] { fire(); });
    }
    // The platform may have maximised the window while it was shown.
    void checkNow()
    {
        if (maximised()) fire();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && maximised()) fire();
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr int kPatienceMs = 1500;
    static constexpr int kSlack = 16;

    bool maximised() const
    {
        if (!window_->isMaximized()) return false;
        const QScreen* screen = window_->screen();
        // The state is set at once; the size follows when the window manager acts.
        return screen && window_->frameGeometry().width() >= screen->availableGeometry().width() - kSlack;
    }
    void fire()
    {
        if (fired_) return;
        fired_ = true;
        window_->removeEventFilter(this);
        QTimer::singleShot(0, window_, activate_);
        deleteLater();
    }

    QWidget* window_;
    std::function<void()> activate_;
    bool fired_ = false;
};

}  // namespace

int Startup::exec()
{
    if (!main_) return 1;
    auto* first = new FirstActivation(main_.get(), [this] { main_->FormActivate(); });
    // Restoring the window gives most of the screen, where the sheet's values
    // stay readable, rather than a small default size.
    if (const QScreen* screen = main_->screen()) {
        const QRect free = screen->availableGeometry();
        main_->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, free.size() * 9 / 10, free));
    }
    main_->showMaximized();
    first->checkNow();
    return QApplication::exec();
}

int Startup::startOnce()
{
    if (!main_) return 1;
    ui::ScriptedPrompter prompter;
    ui::PrompterScope prompterScope(prompter);
    ModalRunnerScope unattended([](QDialog&) { return int(QDialog::Rejected); });
    main_->showMaximized();
    main_->FormActivate();
    QApplication::processEvents();
    for (const auto& message : prompter.messages())
        std::fprintf(stderr, "%s: %s\n", qPrintable(message.title), qPrintable(message.text));
    return main_->initialised() && prompter.messages().empty() ? 0 : 1;
}

}  // namespace quintara
