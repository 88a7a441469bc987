#include "cli/named_options.h"

#include <algorithm>

#include "cli/cli.h"

namespace quintara::cli {

NamedOptions::NamedOptions(const Args& args, std::initializer_list<const char*> valueOptions)
{
    bool haveDir = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) {
            if (haveDir) throw UsageError{"unexpected argument '" + a + "'"};
            dir_ = a;
            haveDir = true;
            continue;
        }
        const bool known =
            std::any_of(valueOptions.begin(), valueOptions.end(), [&](const char* o) { return a == o; });
        if (!known) throw UsageError{"unknown option " + a};
        if (i + 1 == args.size()) throw UsageError{a + " needs a value"};
        if (!values_.emplace(a, args[i + 1]).second) throw UsageError{a + " is given twice"};
        ++i;
    }
    if (!haveDir) throw UsageError{"expected the data directory"};
}

std::optional<std::string> NamedOptions::get(const std::string& option) const
{
    const auto found = values_.find(option);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

std::string NamedOptions::getOr(const std::string& option, const std::string& fallback) const
{
    return get(option).value_or(fallback);
}

}  // namespace quintara::cli
