// The screenshot mode's pictures of the quick calculation and the item
// detail: the results window after a run, both correction charts with their
// print previews, the detail of a worksheet item and both calculation reports.
#pragma once

#include "app/screenshot_sink.h"

namespace quintara {

class DataModule;

void shootDetailWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner);

}  // namespace quintara
