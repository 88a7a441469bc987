// quintara-cli import DIR CODE FILE [--keep N]: the values of one registered index from
// the central bank's CSV or JSON export. All or nothing: the file is checked
// in full before the first value is written, and the values are written as
// one bulk change that any failure undoes, after a backup of the directory.
// The sources table then records the file, its SHA-256, the dates and the
// counts.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cli/backup_option.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "data/data_module.h"
#include "data/index_import.h"
#include "data/index_sources.h"
#include "update/sha256.h"

namespace quintara::cli {

namespace {

constexpr const char* kNothingStored = "; nothing was stored\n";

std::string readImportFile(const std::string& file)
{
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) throw ImportError(0, "is a folder, not a file");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ImportError(0, "cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw ImportError(0, "cannot be read");
    return text.str();
}

void recordImport(DataModule& dm, const std::string& code, const std::string& file, const std::string& text,
                  const std::vector<ImportedValue>& values, const ImportCounts& counts)
{
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(file, ec);
    auto [first, last] = std::minmax_element(values.begin(), values.end(),
                                             [](const auto& a, const auto& b) { return a.date < b.date; });
    IndexSources(dm).log({code, Stamp::now(), SourceKind::File, ec ? file : path.lexically_normal().string(),
                          sha256Hex(text), first->date, last->date, counts.added, counts.updated,
                          counts.unchanged});
}

}  // namespace

int cmdImport(const Args& given, std::ostream& out, std::ostream& err)
{
    Args args = given;
    const int keep = takeKeepOption(args);
    if (args.size() != 3) throw UsageError{"expected DIR CODE FILE"};
    const std::string& code = args[1];
    const std::string& file = args[2];
    std::vector<ImportedValue> values;
    std::string text;
    try {
        text = readImportFile(file);
        values = parseIndexValues(text);
    } catch (const ImportError& e) {
        err << "quintara-cli import: " << file << ": " << e.what() << kNothingStored;
        return 1;
    }
    ImportCounts counts;
    std::unique_ptr<DataModule> dm;
    try {
        backupFirst(args[0], keep, err);
        dm = DataModule::openFolder(args[0]);
        counts = importIndexValues(*dm, code, values);
    } catch (const std::exception& e) {
        err << "quintara-cli import: " << e.what() << kNothingStored;
        return 1;
    }
    try {
        recordImport(*dm, code, file, text, values, counts);
    } catch (const std::exception& e) {
        err << "quintara-cli import: the values were stored, but their source was not recorded: " << e.what()
            << "\n";
        return 1;
    }
    out << code << ": added " << counts.added << ", updated " << counts.updated << ", unchanged "
        << counts.unchanged << "\n";
    return 0;
}

}  // namespace quintara::cli
