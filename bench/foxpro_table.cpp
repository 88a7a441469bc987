// Benchmarks of the table engine on a 1,000,000-row table shaped like the
// index-value table DST_LCM1 (code, date, value; tag CODDATA on code + date):
// appends with the tag kept up to date, exact and soft seeks, scans in
// physical order, in tag order and through a filter, and a full reindex.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "foxpro/cdx_key.h"
#include "foxpro/table.h"

namespace {

namespace fs = std::filesystem;
using foxpro::OpenMode;
using foxpro::Table;

constexpr int kCodes = 20;
constexpr int kRows = 1000000;
constexpr int kDays = kRows / kCodes;
constexpr int kAppendRows = 200000;  // rows appended per timed run, into a new table
const char* const kCodeNames[kCodes] = {"ORTN", "IGPDI", "IPCFIPE", "POUPANCA", "SALMIN", "ICV",  "IGP",
                                        "CUB",  "INCC",  "IPA",     "IPCRJ",    "UPC",    "OTN",  "BTN",
                                        "INPC", "IPCA",  "IGPM",    "UFIR",     "TR",     "SELIC"};
const std::int32_t kFirstDay = foxpro::julianDay(1900, 1, 1);

const std::vector<foxpro::FieldDef> kFields = {{"LCM_COD", foxpro::FieldType::Character, 10, 0},
                                               {"LCM_DATA", foxpro::FieldType::Date, 8, 0},
                                               {"LCM_VALOR", foxpro::FieldType::Numeric, 20, 9}};
const std::vector<foxpro::TagDef> kTags = {{"CODDATA", "LCM_COD+DTOS(LCM_DATA)", "", false}};

// The scratch folder lives until the program ends; it is removed then.
const fs::path& benchFolder()
{
    static const fs::path* dir = [] {
        std::string pattern = (fs::temp_directory_path() / "quintara-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch folder");
        auto* path = new fs::path(pattern);
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(benchFolder(), ec);
        });
        return path;
    }();
    return *dir;
}

// Appends rows date by date, one per code, as the value table grows.
void appendRows(Table& t, int rows)
{
    for (int i = 0; i < rows; ++i) {
        t.append();
        t.setString("LCM_COD", kCodeNames[i % kCodes]);
        t.setDate("LCM_DATA", foxpro::dtosFromJulian(kFirstDay + i / kCodes));
        t.setNumber("LCM_VALOR", static_cast<double>((i * 2654435761ULL) % 1000000000000ULL) / 1e9);
        t.post();
    }
}

std::string createTable(const std::string& name, int rows)
{
    const std::string path = (benchFolder() / name).string();
    for (const char* ext : {".DBF", ".CDX"}) fs::remove(fs::path(path).replace_extension(ext));
    Table::create(path, kFields, kTags);
    Table t(path, OpenMode::Exclusive);
    appendRows(t, rows);
    return path;
}

const std::string& fullTable()
{
    static const std::string path = createTable("VALORES.DBF", kRows);
    return path;
}

void BM_AppendWithTag(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = (benchFolder() / "APPEND.DBF").string();
        for (const char* ext : {".DBF", ".CDX"}) fs::remove(fs::path(path).replace_extension(ext));
        Table::create(path, kFields, kTags);
        Table t(path, OpenMode::Exclusive);
        state.ResumeTiming();
        appendRows(t, kAppendRows);
    }
    state.SetItemsProcessed(state.iterations() * kAppendRows);
}

std::vector<std::pair<std::string, std::string>> randomKeys(int count, int dayShift)
{
    std::mt19937 random(42);
    std::vector<std::pair<std::string, std::string>> keys;
    for (int i = 0; i < count; ++i) {
        const auto code = kCodeNames[random() % kCodes];
        keys.emplace_back(code,
                          foxpro::dtosFromJulian(kFirstDay + static_cast<int>(random() % kDays) + dayShift));
    }
    return keys;
}

void exactSeeks(benchmark::State& state, OpenMode mode)
{
    Table t(fullTable(), mode);
    t.setTag("CODDATA");
    const auto keys = randomKeys(4096, 0);
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& k = keys[i++ % keys.size()];
        if (!t.seek({k.first, k.second})) state.SkipWithError("key not found");
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ExactSeek(benchmark::State& state)
{
    exactSeeks(state, OpenMode::Shared);
}

void BM_ExactSeekExclusive(benchmark::State& state)
{
    exactSeeks(state, OpenMode::Exclusive);
}

void BM_SoftSeek(benchmark::State& state)
{
    Table t(fullTable());
    t.setTag("CODDATA");
    const auto keys = randomKeys(4096, kDays / 2);
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& k = keys[i++ % keys.size()];
        benchmark::DoNotOptimize(t.seekNearest({k.first, k.second}));
    }
    state.SetItemsProcessed(state.iterations());
}

// Items are the records examined: all of them, also through a filter.
void scan(benchmark::State& state, const std::string& tag, const std::string& filter)
{
    Table t(fullTable());
    t.setTag(tag);
    t.setFilter(filter);
    t.setFilterActive(!filter.empty());
    std::int64_t seen = 0;
    for (auto _ : state) {
        for (t.first(); !t.eof(); t.next()) ++seen;
    }
    benchmark::DoNotOptimize(seen);
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ScanPhysical(benchmark::State& state)
{
    scan(state, "", "");
}

void BM_ScanTagOrder(benchmark::State& state)
{
    scan(state, "CODDATA", "");
}

void BM_ScanFilter(benchmark::State& state)
{
    scan(state, "", "LCM_COD = 'TR'");
}

void BM_Reindex(benchmark::State& state)
{
    Table t(fullTable(), OpenMode::Exclusive);
    for (auto _ : state) t.reindex();
    state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

BENCHMARK(BM_AppendWithTag)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_ExactSeek)->Unit(benchmark::kMicrosecond)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_ExactSeekExclusive)->Unit(benchmark::kMicrosecond)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_SoftSeek)->Unit(benchmark::kMicrosecond)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_ScanPhysical)->Unit(benchmark::kMillisecond)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_ScanTagOrder)->Unit(benchmark::kMillisecond)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_ScanFilter)->Unit(benchmark::kMillisecond)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_Reindex)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();
