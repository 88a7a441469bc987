// WaitCursor: shows the busy cursor for its lifetime and restores the previous
// cursor when it goes out of scope, also when an exception leaves the scope.
#pragma once

namespace quintara::ui {

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace quintara::ui
