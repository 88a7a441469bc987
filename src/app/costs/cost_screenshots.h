// The screenshot mode's pictures of the court costs: the table with its four
// dialogs and report, and the costs count of the first case with its report.
#pragma once

#include "app/screenshot_sink.h"

namespace quintara {

class DataModule;

void shootCostWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner);

}  // namespace quintara
