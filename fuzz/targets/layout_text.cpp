// Form layout text: every line classified and every value parsed the way
// the layout reader does before it touches a component.

#include "framework/layout/LayoutText.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : SplitLayoutLines(text)) {
        if (IsLayoutFiller(line) || line == "end")
            continue;
        try {
            std::string name, className, path, valueText;
            if (line.rfind("object ", 0) == 0) {
                ParseLayoutObject(line, name, className);
                continue;
            }
            SplitLayoutProperty(line, path, valueText);
            ParseLayoutValue(valueText);
        } catch (const ELayoutSyntax&) {
        }
    }
    return 0;
}
