// The worksheet window with a case of 999 items:
//   BM_WorksheetLoad999: choosing the case in the window: header, names,
//     999 records into the grid and the grid model reset;
//   BM_WorksheetScroll999: the grid painted page by page from the first
//     item to the last;
//   BM_WorksheetRun999: every item marked and calculated through the run
//     window (grid cells, records and 999 memo files).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <sstream>

#include "app/worksheet/frm_calculando.h"
#include "app/worksheet/frm_planilha.h"
#include "cli/commands.h"
#include "data/case_register.h"
#include "data/data_module.h"
#include "ui/prompter.h"
#include "worksheet/worksheet_items.h"

namespace {

// A thousand items, less the one a three-digit item number cannot hold.
constexpr int kItems = 999;
constexpr const char* kCase = "BENCH01";

QApplication& application()
{
    static int argc = 1;
    static char name[] = "bench_app_worksheet";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: a static QApplication torn down after Qt's own globals
    // crashes at exit.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

void addItem(quintara::DataModule& dm, quintara::WorksheetGrid& grid, int row)
{
    using namespace quintara;
    const Date origin = Date(1, 1, 1995).addDays(row * 9);
    auto set = [&](int column, const std::string& text) { grid.setCell(row, column, text); };
    set(colOriginDate, origin.toString());
    set(colOriginalAmount, std::to_string(100 + row) + ",50");
    set(colMonthMode, row % 2 ? "CHEIO" : "EXATO");
    set(colOrdinaryRate, "12,000000");
    set(colCompensatoryRate, "0,000000");
    set(colFineRate, "2,000000");
    set(colFineOnInterest, "NÃO");
    set(colDebtOrPayment, row % 10 ? "DÍVIDA" : "AMORT.");
    set(colConverter, "NÃO");
    set(colOrdinaryFormula, "0");
    set(colCompensatoryFormula, "0");
    set(colOrdinaryStart, origin.toString());
    set(colCompensatoryStart, origin.toString());
    set(colFormCode, "001");
    set(colIndexQuantity, "0,00");
    set(colIndexValue, "0,00");
    set(colFeeRate, "0,00");
    set(colFees, "0,00");
    foxpro::Table& items = dm.ItensProcesso();
    items.setTag("");
    items.append();
    GravaItem(grid, row, kCase, items);
    items.post();
}

// A data folder with monthly INPC values from 1994 on and a case of 999 items.
const std::string& benchFolder()
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
    foxpro::Table& values = dm->ValorIndices();
    for (int year = 1994; year <= 2024; ++year)
        for (int month = 1; month <= 12; ++month) {
            values.append();
            values.setString("LCM_COD", "INPC");
            values.setDate("LCM_DATA", quintara::Date(1, month, year).toDtos());
            values.setNumber("LCM_VALOR", 0.3 + 0.05 * month);
            values.post();
        }
    quintara::CaseData c;
    c.number = kCase;
    c.responsible = "BENCH";
    quintara::registerCase(*dm, c, "000001", quintara::CaseClock::now());
    quintara::WorksheetGrid grid;
    grid.ensureRow(kItems);
    for (int row = 1; row <= kItems; ++row) addItem(*dm, grid, row);
    return folder;
}

struct Worksheet {
    Worksheet() : dm(quintara::DataModule::openFolder(benchFolder())), window(*dm, {})
    {
        window.setToday([] { return quintara::Date(15, 1, 2024); });
        window.show();
    }
    void choose()
    {
        window.DBLookupComboBox1->setCurrentIndex(
            window.DBLookupComboBox1->findText(QString::fromLatin1(kCase)));
        window.DBLookupComboBox1Click();
    }
    std::unique_ptr<quintara::DataModule> dm;
    quintara::ui::ScriptedPrompter prompter;
    quintara::ui::PrompterScope scope{prompter};
    quintara::TfrmPlanilha window;
};

void BM_WorksheetLoad999(benchmark::State& state)
{
    application();
    Worksheet w;
    for (auto _ : state) {
        w.choose();
        QCoreApplication::processEvents();
    }
    if (w.window.session().grid.cell(kItems, quintara::colNumber) != "999")
        state.SkipWithError("the items did not load");
}
BENCHMARK(BM_WorksheetLoad999)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WorksheetScroll999(benchmark::State& state)
{
    application();
    Worksheet w;
    w.choose();
    QCoreApplication::processEvents();  // the view lays out the new rows
    QScrollBar* bar = w.window.GPlanilha->verticalScrollBar();
    if (bar->maximum() < 900) state.SkipWithError("the grid does not scroll over the items");
    int pages = 0;
    for (auto _ : state) {
        for (int value = bar->minimum(); value <= bar->maximum(); value += bar->pageStep()) {
            bar->setValue(value);
            w.window.GPlanilha->viewport()->repaint();
            ++pages;
        }
        bar->setValue(bar->minimum());
    }
    state.counters["pages"] = benchmark::Counter(pages, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WorksheetScroll999)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WorksheetRun999(benchmark::State& state)
{
    application();
    Worksheet w;
    w.choose();
    for (auto _ : state) {
        w.window.session().grid.markAllForRecalculation();
        quintara::TFrmCalculando run(w.window.session(), 0, &w.window);
        run.PreparaCalculo();
        if (run.report().items.size() != kItems || !run.report().platformError.empty())
            state.SkipWithError("the run did not calculate every item");
    }
}
BENCHMARK(BM_WorksheetRun999)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
