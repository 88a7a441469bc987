// Correction engine benchmarks: a quick calculation over 30 years of a daily
// interest-rate index, and a worksheet run of 1,000 items that writes their
// memo files and PITCALCU records.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cli/cli.h"
#include "data/data_module.h"
#include "engine/data_module_reference.h"
#include "engine/quick_calculation.h"
#include "worksheet/worksheet_items.h"
#include "worksheet/worksheet_run.h"

namespace {

using namespace quintara;

// The real series beside the project (QUINTARA_SHARED_DIR may point elsewhere).
std::string seriesFolder()
{
    if (const char* shared = std::getenv("QUINTARA_SHARED_DIR")) return std::string(shared) + "/data/series";
    return (std::filesystem::path(__FILE__).parent_path() / "../../shared/data/series").string();
}

void cli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    if (quintara::cli::run(args, out, err) != 0) throw std::runtime_error(err.str());
}

// A data directory with a synthetic daily rate (business days 1995-2024) and
// the real INPC; made once per program run.
const std::string& dataDirectory()
{
    static const std::string dir = [] {
        std::string folder = (std::filesystem::temp_directory_path() / "quintara-bench-engine").string();
        std::filesystem::remove_all(folder);
        cli({"init", folder});
        std::string csv = folder + "/daily.csv";
        {
            std::ofstream out(csv);
            out << "data;valor\n";
            for (Date d(2, 1, 1995); d <= Date(31, 12, 2024); d = d.addDays(1))
                if (d.weekday() != 0 && d.weekday() != 6) out << d.toString() << ";0,0400\n";
        }
        cli({"index", folder, "DIARIA", "--kind", "4", "--periodicity", "1", "--desc",
             "Taxa diaria sintetica"});
        cli({"import", folder, "DIARIA", csv});
        cli({"import", folder, "INPC", seriesFolder() + "/inpc.csv"});
        cli({"form", folder, "20", "--chain", "DIARIA", "--periods", "00/00/0000:00/00/0000"});
        cli({"form", folder, "21", "--chain", "INPC", "--periods", "00/00/0000:00/00/0000"});
        return folder;
    }();
    return dir;
}

void BM_QuickCalculationDailyRate30Years(benchmark::State& state)
{
    auto dm = DataModule::openFolder(dataDirectory());
    QuickInput in;
    in.origin = Date(2, 1, 1995);
    in.amount = Amount::parse("1000");
    in.formCode = "020";
    in.ordinaryStart = in.compensatoryStart = in.origin;
    in.ordinaryRate = Decimal::parse("12");
    std::size_t lines = 0;
    for (auto _ : state) {
        DataModuleReference data(*dm);
        QuickResult r = Executarcalculo(data, in, Date(31, 12, 2024));
        lines = r.calculationLines.size();
        benchmark::DoNotOptimize(r.results.corrected);
    }
    state.counters["memo_lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_QuickCalculationDailyRate30Years)->Unit(benchmark::kMillisecond);

// Item numbers have three digits, so the 1,000 items are two cases of 500.
WorksheetGrid benchmarkCase(DataModule& dm, const std::string& caseNumber)
{
    WorksheetGrid grid;
    foxpro::Table& items = dm.ItensProcesso();
    for (int row = 1; row <= 500; ++row) {
        auto set = [&](int column, const std::string& text) { grid.setCell(row, column, text); };
        grid.ensureRow(row);
        set(colNumber, itemNumberText(row));
        set(colOriginDate, Date(1, 1 + row % 12, 2000 + row % 10).toString());
        set(colOriginalAmount, "1000,00");
        set(colMonthMode, row % 2 ? "CHEIO" : "EXATO");
        set(colConverter, "SIM");
        set(colOrdinaryRate, "12,000000");
        set(colOrdinaryStart, grid.cell(row, colOriginDate));
        set(colOrdinaryFormula, "1");
        set(colCompensatoryFormula, "0");
        set(colFormCode, "021");
        set(colDebtOrPayment, "DÍVIDA");
        set(colIndexQuantity, "0");
        set(colIndexValue, "0");
        items.setTag("item");
        if (!items.seek({caseNumber, itemNumberText(row)})) {
            items.setTag("");
            items.append();
            GravaItem(grid, row, caseNumber, items);
            items.post();
        }
    }
    return grid;
}

void BM_WorksheetRun1000Items(benchmark::State& state)
{
    auto dm = DataModule::openFolder(dataDirectory());
    std::vector<std::pair<std::string, WorksheetGrid>> cases;
    for (const char* caseNumber : {"BENCH-1", "BENCH-2"})
        cases.emplace_back(caseNumber, benchmarkCase(*dm, caseNumber));
    for (auto _ : state) {
        DataModuleReference data(*dm);
        DataModuleItemStore store(*dm);
        for (auto& [caseNumber, grid] : cases) {
            grid.markAllForRecalculation();
            RunReport r = PreparaCalculo(data, grid, &store, caseNumber, "31/12/2024", 0);
            if (!r.platformError.empty() || r.items.size() != 500)
                state.SkipWithError("the run did not finish");
        }
    }
}
BENCHMARK(BM_WorksheetRun1000Items)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
