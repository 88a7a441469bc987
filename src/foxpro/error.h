// The one exception type of the table engine: every failure names the file
// it concerns and says in plain words what is wrong.
#pragma once

#include <stdexcept>
#include <string>

namespace foxpro {

class Error : public std::runtime_error {
public:
    Error(std::string file, const std::string& message)
        : std::runtime_error(file.empty() ? message : file + ": " + message),
          file_(std::move(file)), message_(message)
    {
    }
    const std::string& file() const { return file_; }
    const std::string& plainMessage() const { return message_; }

private:
    std::string file_;
    std::string message_;
};

}  // namespace foxpro
