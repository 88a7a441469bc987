// Helpers shared by the report tests: small layouts and text lookups.
#pragma once

#include <QGuiApplication>
#include <string>
#include <vector>

#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports::testing {

// Texts of a page, in reading order, that start with prefix.
inline std::vector<std::string> textsStartingWith(const Page& page, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& t : page.textsInReadingOrder())
        if (t.rfind(prefix, 0) == 0) found.push_back(t);
    return found;
}

// The one application object of the test program (fonts and painting need it).
inline void ensureGuiApplication()
{
    static int argc = 1;
    static char name[] = "test_reports";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
}

inline const PageText* findText(const Page& page, const std::string& text)
{
    for (const PageText& t : page.texts())
        if (t.text == text) return &t;
    return nullptr;
}

}  // namespace quintara::reports::testing
