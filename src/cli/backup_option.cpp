#include "cli/backup_option.h"

#include <charconv>

#include "cli/cli.h"
#include "data/backup.h"

namespace quintara::cli {

int takeKeepOption(Args& args)
{
    int keep = kDefaultBackupsKept;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--keep") continue;
        if (i + 1 >= args.size()) throw UsageError{"--keep needs a number"};
        const std::string& text = args[i + 1];
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), keep);
        if (ec != std::errc() || end != text.data() + text.size() || keep < 1)
            throw UsageError{"--keep needs a whole number of at least 1, not '" + text + "'"};
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return keep;
}

void backupFirst(const std::string& dataDir, int keep, std::ostream& err)
{
    err << "backup: " << backupBeforeChange(dataDir, keep).string() << "\n";
}

}  // namespace quintara::cli
