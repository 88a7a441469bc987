// quintara-cli update DIR [CODE...] [--base-url URL] [--timeout SECONDS] [--keep N]:
// brings the values of indices up to date from the central bank's series
// service (every index with a sources record when no code is given), after a
// backup of the directory. Each index is all or nothing; a missing network
// gives one message.
#include <QCoreApplication>
#include <memory>

#include "cli/backup_option.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "data/data_module.h"
#include "update/fetcher.h"
#include "update/index_update.h"
#include "update/sgs_request.h"

namespace quintara::cli {

namespace {

int secondsOption(const std::string& text)
{
    try {
        std::size_t used = 0;
        int seconds = std::stoi(text, &used);
        if (used == text.size() && seconds > 0 && seconds <= 3600) return seconds;
    } catch (const std::exception&) {
    }
    throw UsageError{"--timeout must be a number of seconds from 1 to 3600"};
}

}  // namespace

int cmdUpdate(const Args& given, std::ostream& out, std::ostream& err)
{
    Args args = given;
    const int keep = takeKeepOption(args);
    std::string dir;
    UpdateOptions options;
    int timeoutMs = NetworkFetcher::kDefaultTimeoutMs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--base-url" || a == "--timeout") {
            if (i + 1 == args.size()) throw UsageError{a + " needs a value"};
            if (a == "--base-url")
                options.base = args[++i];
            else
                timeoutMs = secondsOption(args[++i]) * 1000;
        } else if (a.starts_with("--")) {
            throw UsageError{"unknown option " + a};
        } else if (dir.empty()) {
            dir = a;
        } else {
            options.codes.push_back(a);
        }
    }
    if (dir.empty()) throw UsageError{"expected DIR [CODE...]"};
    while (!options.base.empty() && options.base.back() == '/') options.base.pop_back();

    // Qt Network needs an application object; the tool has none of its own.
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "quintara-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    backupFirst(dir, keep, err);
    auto dm = DataModule::openFolder(dir);
    NetworkFetcher fetcher(timeoutMs);
    IndexUpdate update(*dm, fetcher, options);
    UpdateReport report = update.run();

    int failed = 0;
    for (const IndexUpdateResult& r : report.results) {
        if (r.status == UpdateStatus::Failed) {
            ++failed;
            err << "quintara-cli update: " << r.message << "\n";
            continue;
        }
        out << r.code << ": added " << r.counts.added << ", updated " << r.counts.updated << ", unchanged "
            << r.counts.unchanged << "\n";
        if (!r.message.empty()) err << "quintara-cli update: " << r.message << "\n";
    }
    if (report.networkError) {
        err << "quintara-cli update: " << *report.networkError << "; "
            << (report.results.empty() ? "no index was updated" : "the indices not listed were not updated")
            << "\n";
        return 1;
    }
    return failed > 0 ? 1 : 0;
}

}  // namespace quintara::cli
