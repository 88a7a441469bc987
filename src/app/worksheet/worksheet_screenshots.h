// The screenshot mode's pictures of the worksheet: the worksheet window with
// a demo case that has calculated items, the run window and the error list.
#pragma once

#include "app/screenshot_sink.h"

namespace quintara {

class DataModule;

void shootWorksheetWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner);

}  // namespace quintara
