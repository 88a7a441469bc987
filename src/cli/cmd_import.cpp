// quintara-cli import DIR CODE FILE: the values of one registered index from
// the central bank's CSV or JSON export. All or nothing: the file is checked
// in full before the first value is written.
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cli/cli.h"
#include "cli/commands.h"
#include "data/data_module.h"
#include "data/index_import.h"

namespace quintara::cli {

int cmdImport(const Args& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 3) throw UsageError{"expected DIR CODE FILE"};
    const std::string& code = args[1];
    const std::string& file = args[2];
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file);
    std::ostringstream text;
    text << in.rdbuf();

    std::vector<ImportedValue> values;
    try {
        values = parseIndexValues(text.str());
    } catch (const ImportError& e) {
        err << "quintara-cli import: " << file << ": " << e.what() << "; nothing was imported\n";
        return 1;
    }
    auto dm = DataModule::openFolder(args[0]);
    ImportCounts counts;
    try {
        counts = importIndexValues(*dm, code, values);
    } catch (const ImportError& e) {
        err << "quintara-cli import: " << e.what() << "; nothing was imported\n";
        return 1;
    }
    out << code << ": added " << counts.added << ", updated " << counts.updated << ", unchanged "
        << counts.unchanged << "\n";
    return 0;
}

}  // namespace quintara::cli
