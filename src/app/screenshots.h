// The screenshot mode: opens every window built so far on the data directory
// in use and renders each one to <folder>/<window>.png for review.
#pragma once

#include <QString>

namespace quintara {

class Startup;

// Renders the windows; returns the process exit code (0 when every PNG was written).
int takeScreenshots(Startup& startup, const QString& folder);

}  // namespace quintara
