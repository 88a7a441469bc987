// Where the screenshot mode's window groups send their pictures: a window to
// render under a name, and a report's page model to render and save as PDF.
#pragma once

#include <QString>
#include <functional>

#include "reports/page_model.h"

class QWidget;

namespace quintara {

struct ScreenshotSink {
    std::function<void(QWidget&, const QString&)> window;
    std::function<void(const reports::PageModel&, const QString&)> report;
};

}  // namespace quintara
