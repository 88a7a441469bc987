// quintara-cli init DIR [--bare] [--seed FOLDER]: a new data directory with
// the twelve empty tables and their tags, img/ and the help page; without
// --bare also the seed reference data (currencies, indices, correction forms,
// a court-costs example and the first user). The sources tables DST_FONT and
// DST_FLOG are created too; the seed's series.csv gives the central-bank
// series numbers of the seed indices.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cli/cli.h"
#include "cli/commands.h"
#include "data/data_module.h"
#include "data/index_sources.h"
#include "data/seed_data.h"

namespace quintara::cli {

namespace {

namespace fs = std::filesystem;

bool isSeedFolder(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_regular_file(folder / "Quintara.html", ec);
}

// The seed folder: --seed, then QUINTARA_SEED_DIR, then beside the program
// (a build folder inside the source tree, or an installation's share/), then
// the source tree this program was built from.
fs::path findSeedFolder(const std::string& option)
{
    if (!option.empty()) {
        if (!isSeedFolder(option)) throw std::runtime_error("no seed data in " + option);
        return option;
    }
    if (const char* env = std::getenv("QUINTARA_SEED_DIR"); env && *env) {
        if (!isSeedFolder(env))
            throw std::runtime_error(std::string("no seed data in QUINTARA_SEED_DIR=") + env);
        return env;
    }
    std::error_code ec;
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    std::vector<fs::path> candidates;
    if (!ec) {
        candidates.push_back(program.parent_path().parent_path() / "seed");
        candidates.push_back(program.parent_path().parent_path() / "share" / "quintara" / "seed");
    }
    candidates.push_back(fs::path(__FILE__).parent_path().parent_path().parent_path() / "seed");
    for (const fs::path& candidate : candidates)
        if (isSeedFolder(candidate)) return candidate;
    throw std::runtime_error("seed data not found: give --seed FOLDER or set QUINTARA_SEED_DIR");
}

std::string readText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int cmdInit(const Args& args, std::ostream& out, std::ostream& /*err*/)
{
    std::string dir;
    std::string seedOption;
    bool bare = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--bare") {
            bare = true;
        } else if (args[i] == "--seed") {
            if (++i == args.size()) throw UsageError{"--seed needs a folder"};
            seedOption = args[i];
        } else if (args[i].starts_with("--")) {
            throw UsageError{"unknown option " + args[i]};
        } else if (dir.empty()) {
            dir = args[i];
        } else {
            throw UsageError{"more than one folder given"};
        }
    }
    if (dir.empty()) throw UsageError{"no folder given"};

    fs::path seed = findSeedFolder(seedOption);
    createDataDirectory(dir, readText(seed / "Quintara.html"));
    auto dm = DataModule::openFolder(dir);
    out << "created data directory " << dm->dataDir() << "\n";
    IndexSources sources(*dm);
    if (bare) return 0;

    for (const auto& [table, count] : loadSeedFolder(*dm, seed.string()))
        out << "  " << table << ": " << count << " records\n";
    if (fs::is_regular_file(seed / "series.csv")) {
        int count = seedSeriesNumbers(sources, readText(seed / "series.csv"), "series.csv");
        out << "  " << IndexSources::kSourcesFile << ": " << count << " records\n";
    }
    foxpro::Table& users = dm->Usuarios();
    users.setTag("INDUSR01");
    for (users.first(); !users.eof(); users.next())
        out << "user " << users.getString("CODIGO") << " (" << users.getString("NOME") << ")\n";
    return 0;
}

}  // namespace quintara::cli
