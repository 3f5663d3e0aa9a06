#include "screens/advancedsetting/NumberText.h"

namespace advancedsetting {

std::string WithNumber(std::string text, int number)
{
    const auto at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(number));
    return text;
}

} // namespace advancedsetting
