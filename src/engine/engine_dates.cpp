#include "engine/engine_dates.h"

#include <stdexcept>
#include <string>

namespace quintara {

Date engineDate(std::string_view text)
{
    std::optional<Date> date = Date::tryParse(text);
    if (!date || date->isEmpty())
        throw std::invalid_argument("'" + std::string(text) + "' is not a valid date");
    return *date;
}

Date firstDayOf(Date date)
{
    return Date(1, date.month(), date.year());
}

Date lastDayOf(Date date)
{
    return Date(Date::daysInMonth(date.month(), date.year()), date.month(), date.year());
}

bool sameMonth(Date a, Date b)
{
    return a.month() == b.month() && a.year() == b.year();
}

}  // namespace quintara
