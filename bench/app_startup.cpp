// Application start-up and the monthly sheet on a large data directory: a
// demo folder with 50 monthly indices and about 200,000 index values.
//   BM_ProcessStartToMainWindow: the quintara program started as a process
//     with --start-only, from exec to exit after its main window was shown
//     and activated (wall time; the child's CPU time as a counter);
//   BM_StartupToMainWindow: the same inside this process (no program load and
//     no QApplication): data module, windows, main window shown and first
//     activated (sheet filled, user selection answered at once);
//   BM_BaseYearChange: the year box changed, month cells refilled.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <sstream>

#include "app/application.h"
#include "app/frm_principal.h"
#include "app/modal_runner.h"
#include "cli/commands.h"
#include "data/data_module.h"
#include "ui/prompter.h"

namespace {

constexpr int kMonthlyIndices = 50;
constexpr int kFirstYear = 1939;
constexpr int kLastYear = 2023;
constexpr int kDailyIndices = 3;
constexpr int kDailyValues = 50000;

QApplication& application()
{
    static int argc = 1;
    static char name[] = "bench_app_startup";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: a static QApplication torn down after Qt's own globals
    // crashes at exit.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

void addIndex(foxpro::Table& indices, const std::string& code, const char* kind)
{
    indices.append();
    indices.setString("TBCM_COD", code);
    indices.setString("TBCM_TIP", kind);
    indices.setString("TBCM_VAL", "2");
    indices.setString("TBCM_DESC", "Indice de teste " + code);
    indices.post();
}

void addValue(foxpro::Table& values, const std::string& code, const quintara::Date& date, double value)
{
    values.append();
    values.setString("LCM_COD", code);
    values.setDate("LCM_DATA", date.toDtos());
    values.setNumber("LCM_VALOR", value);
    values.post();
}

// The demo folder, made once: seed data, then the extra indices and values.
const std::string& demoFolder()
{
    static QTemporaryDir dir;
    static std::string folder;
    if (!folder.empty()) return folder;
    folder = dir.path().toStdString() + "/";
    std::ostringstream out, err;
    for (const auto& command : quintara::cli::commands())
        if (std::string(command.name) == "init" && command.run({folder}, out, err) != 0)
            throw std::runtime_error("init failed: " + err.str());

    auto dm = quintara::DataModule::openFolder(folder);
    foxpro::Table& indices = dm->Indices();
    foxpro::Table& values = dm->ValorIndices();
    // Only the bench's monthly indices: the sheet has exactly kMonthlyIndices rows.
    for (indices.first(); !indices.eof(); indices.next()) {
        indices.edit();
        indices.setString("TBCM_TIP", "1");
        indices.post();
    }
    for (int i = 0; i < kMonthlyIndices; ++i) {
        const std::string code = "BM" + std::to_string(100 + i);
        addIndex(indices, code, "2");
        for (int year = kFirstYear; year <= kLastYear; ++year)
            for (int month = 1; month <= 12; ++month)
                addValue(values, code, quintara::Date(1, month, year),
                         0.1 * month + i + (year - kFirstYear) * 0.01);
    }
    for (int i = 0; i < kDailyIndices; ++i) {
        const std::string code = "BD" + std::to_string(i);
        addIndex(indices, code, "1");
        const quintara::Date start(1, 1, 1880);
        for (int d = 0; d < kDailyValues; ++d) addValue(values, code, start.addDays(d), 0.0001 * d);
    }
    return folder;
}

// The user selection is cancelled at once; nothing waits for a person.
class Unattended {
public:
    Unattended() : runner_([](QDialog&) { return int(QDialog::Rejected); }), scope_(prompter_) {}

private:
    quintara::ModalRunnerScope runner_;
    quintara::ui::ScriptedPrompter prompter_;
    quintara::ui::PrompterScope scope_;
};

quintara::StartupOptions demoOptions()
{
    quintara::StartupOptions options;
    options.dataDir = QString::fromStdString(demoFolder());
    return options;
}

double childCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_ProcessStartToMainWindow(benchmark::State& state)
{
    application();
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../quintara");
    const QStringList arguments = {QStringLiteral("--data"), QString::fromStdString(demoFolder()),
                                   QStringLiteral("--start-only")};
    double cpu = 0;
    for (auto _ : state) {
        const double before = childCpuSeconds();
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            state.SkipWithError("quintara --start-only failed");
            break;
        }
        cpu += childCpuSeconds() - before;
    }
    state.counters["child_cpu_ms"] = benchmark::Counter(
        cpu * 1000.0 / static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1)));
}
BENCHMARK(BM_ProcessStartToMainWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void BM_StartupToMainWindow(benchmark::State& state)
{
    application();
    const quintara::StartupOptions options = demoOptions();
    Unattended unattended;
    for (auto _ : state) {
        quintara::Startup startup(options);
        startup.createWindows();
        quintara::TFrmPrincipal& main = startup.mainWindow();
        main.showMaximized();
        main.FormActivate();
        QApplication::processEvents();
        if (main.gridRowCount() != kMonthlyIndices + 1) state.SkipWithError("unexpected sheet");
        benchmark::DoNotOptimize(main.cellText(1, 1));
    }
}
BENCHMARK(BM_StartupToMainWindow)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void BM_BaseYearChange(benchmark::State& state)
{
    application();
    const quintara::StartupOptions options = demoOptions();
    Unattended unattended;
    quintara::Startup startup(options);
    startup.createWindows();
    quintara::TFrmPrincipal& main = startup.mainWindow();
    main.showMaximized();
    main.FormActivate();
    int year = 1990;
    for (auto _ : state) {
        main.ComboBox->setEditText(QString::number(year));
        main.ComboBoxChange();
        year = year == 2020 ? 1990 : year + 1;
        if (main.cellText(12, kMonthlyIndices).isEmpty()) state.SkipWithError("month cells not filled");
    }
}
BENCHMARK(BM_BaseYearChange)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

}  // namespace
