// The application's default error report: what a handler shows when an action
// ends with an exception (a table error, a value that does not convert).
#pragma once

#include <exception>
#include <utility>

namespace quintara {

void reportError(const std::exception& error);

// Runs an action, reporting any exception it raises; returns whether it completed.
template <class Action>
bool guarded(Action&& action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const std::exception& error) {
        reportError(error);
        return false;
    }
}

}  // namespace quintara
