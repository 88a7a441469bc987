// quintara-cli sources DIR [CODE]: the series number and last update of the
// indices, and the record of every import and update (origin, time, SHA-256
// of the input, dates and counts), of one index or of all.
#include "cli/cli.h"
#include "cli/commands.h"
#include "data/index_sources.h"

namespace quintara::cli {

namespace {

std::string stampText(const Stamp& s)
{
    return s.date.isEmpty() ? std::string("-") : s.date.toString() + " " + s.time;
}

std::string dateText(Date d)
{
    return d.isEmpty() ? std::string("  /  /    ") : d.toString();
}

}  // namespace

int cmdSources(const Args& args, std::ostream& out, std::ostream& /*err*/)
{
    if (args.empty() || args.size() > 2) throw UsageError{"expected DIR [CODE]"};
    const std::string code = args.size() == 2 ? args[1] : std::string();
    IndexSources sources(args[0]);
    for (const IndexSource& s : sources.all()) {
        if (!code.empty() && s.code != code) continue;
        out << "index " << s.code << ": series " << (s.series.empty() ? "-" : s.series) << ", last update "
            << stampText(s.updated);
        if (!s.sha256.empty()) out << ", sha256 " << s.sha256;
        out << "\n";
        if (!s.address.empty()) out << "  from " << s.address << "\n";
    }
    for (const SourceLogEntry& e : sources.history(code)) {
        out << e.code << " " << stampText(e.stamp) << " "
            << (e.kind == SourceKind::Service ? "update" : "import") << " " << dateText(e.first) << " to "
            << dateText(e.last) << ": added " << e.added << ", updated " << e.updated << ", unchanged "
            << e.unchanged << "\n"
            << "  sha256 " << e.sha256 << "\n"
            << "  from " << e.origin << "\n";
    }
    return 0;
}

}  // namespace quintara::cli
