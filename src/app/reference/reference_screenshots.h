// The screenshot-mode pages of the reference-table windows: the indices and
// currencies windows with their dialogs and report previews, on demo data.
#pragma once

#include <QString>
#include <functional>

#include "reports/page_model.h"

class QWidget;

namespace quintara {

class DataModule;

using ShootWidget = std::function<void(QWidget& widget, const QString& name)>;
using ShootReport = std::function<void(const reports::PageModel& model, const QString& name)>;

// A fresh data directory (no index value stored yet) first gets demo values
// for its first index and a demo picture for its latest currency era.
void shootReferenceWindows(DataModule& dm, QWidget& owner, const ShootWidget& shoot,
                           const ShootReport& report);

}  // namespace quintara
