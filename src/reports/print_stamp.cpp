#include "reports/print_stamp.h"

namespace quintara::reports {

std::string printStamp(const QDateTime& when)
{
    return when.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")).toStdString();
}

std::string printStampNow()
{
    return printStamp(QDateTime::currentDateTime());
}

}  // namespace quintara::reports
