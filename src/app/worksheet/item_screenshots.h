// The screenshot mode's pictures of the item dialogs: a new item being typed
// and the change of the first item of the first case that has items.
#pragma once

#include "app/screenshot_sink.h"

namespace quintara {

class DataModule;

void shootItemWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner);

}  // namespace quintara
