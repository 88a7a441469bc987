// The screenshot-mode page of the index update: the dialog after a run
// against recorded demo answers (never the network), with its summary.
#pragma once

#include <QWidget>

#include "app/screenshot_sink.h"

namespace quintara {

class DataModule;

void shootIndexUpdate(const ScreenshotSink& sink, DataModule& dm, QWidget* parent);

}  // namespace quintara
