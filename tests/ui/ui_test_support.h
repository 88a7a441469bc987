// The one QApplication of the widget tests (run under the offscreen platform).
#pragma once

#include <QApplication>

namespace quintara::ui::testing {

inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

}  // namespace quintara::ui::testing
