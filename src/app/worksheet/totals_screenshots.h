// The screenshot mode's pictures of the worksheet totals: the totals window,
// its report preview and the fees window, over the first case with
// calculated debts, a payment and counted costs.
#pragma once

#include "app/screenshot_sink.h"

namespace quintara {

class DataModule;

void shootTotalsWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner);

}  // namespace quintara
