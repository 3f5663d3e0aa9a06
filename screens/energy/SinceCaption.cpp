#include "screens/energy/SinceCaption.h"

#include "kelp/System/Language.h"

#include <cstdio>

namespace energy {

std::string SinceCaption(const FILETIME& start)
{
    return kelp::Translate("Since") + ": " + SinceDate(start);
}

std::string SinceDate(const FILETIME& start)
{
    SYSTEMTIME fields{};
    FileTimeToSystemTime(&start, &fields);
    char date[40];
    std::snprintf(date, sizeof date, "%04d/%02d/%02d %02d:%02d", fields.wYear, fields.wMonth, fields.wDay,
                  fields.wHour, fields.wMinute);
    return date;
}

} // namespace energy
