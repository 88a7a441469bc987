// Reading of commands of the form `COMMAND DIR --option value ...`: one
// positional folder and options that each take a value, every one refused
// with a usage message naming it when unknown, repeated or without a value.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>

#include "cli/commands.h"

namespace quintara::cli {

class NamedOptions {
public:
    NamedOptions(const Args& args, std::initializer_list<const char*> valueOptions);

    const std::string& dir() const { return dir_; }
    std::optional<std::string> get(const std::string& option) const;
    std::string getOr(const std::string& option, const std::string& fallback) const;

private:
    std::string dir_;
    std::map<std::string, std::string> values_;
};

}  // namespace quintara::cli
