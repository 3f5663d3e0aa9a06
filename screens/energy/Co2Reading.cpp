#include "screens/energy/Co2Reading.h"

#include "kelp/System/Language.h"

namespace energy {

namespace {

void Replace(std::string& text, const char* mark, const std::string& by)
{
    const auto at = text.find(mark);
    if (at != std::string::npos)
        text.replace(at, 2, by);
}

} // namespace

std::string Co2ReadingText(const std::string& figure, MassUnit unit, const std::string& since)
{
    static const char* const kUnitKeys[] = {LANG_KEY("Co2UnitMg"), LANG_KEY("Co2UnitG"), LANG_KEY("Co2UnitKg")};
    std::string text = kelp::Translate(LANG_KEY("Co2Reading"));
    // Marks replaced last to first, so that no replacement is read again.
    Replace(text, "%3", since);
    Replace(text, "%2", kelp::Translate(kUnitKeys[static_cast<int>(unit)]));
    Replace(text, "%1", figure);
    return text;
}

std::string PowerReadingText(const std::string& figure)
{
    return figure + " " + kelp::Translate(LANG_KEY("PowerUnitW"));
}

std::string EnergyReadingText(const std::string& figure, bool factorShown)
{
    return figure + " " + kelp::Translate(factorShown ? LANG_KEY("EnergyUnitWh") : LANG_KEY("EnergyUnitKWh"));
}

} // namespace energy
