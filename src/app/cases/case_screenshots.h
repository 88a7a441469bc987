// The screenshot mode's pictures of the case register: the list, the case
// dialogs, the names editor, the personal indicator and the case list report,
// shown with the first registered case.
#pragma once

#include "app/screenshot_sink.h"

namespace quintara {

class DataModule;

void shootCaseWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner);

}  // namespace quintara
