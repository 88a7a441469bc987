// The date and time printed in report headers ("dd/mm/yyyy hh:mm:ss").
#pragma once

#include <QDateTime>
#include <string>

namespace quintara::reports {

std::string printStamp(const QDateTime& when);
// The stamp of the current local time.
std::string printStampNow();

}  // namespace quintara::reports
