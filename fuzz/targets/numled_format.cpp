// Format strings of the numeric LED display with any number, time or date:
// every state stays one a digit glyph has (0 blank, 1..10 the digits).

#include "VtPackage/VtNumLedFormat.h"

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 21)
        return 0;
    double number;
    std::memcpy(&number, data, sizeof number);
    unsigned fields[3];
    std::memcpy(fields, data + 8, sizeof fields);
    const bool zeroLeading = data[20] & 1;
    const std::string format(reinterpret_cast<const char*>(data + 21), size - 21);
    if (!kelp::IsNumLedFormat(format))
        return 0;
    std::vector<int> states(format.size(), 0);
    kelp::NumberStates(format, number, zeroLeading, states);
    for (int state : states)
        if (state < 0 || state > 10)
            __builtin_trap();
    for (bool time : {true, false}) {
        kelp::DateTimeStates(format, time, fields[0], fields[1], fields[2], states);
        for (int state : states)
            if (state < 0 || state > 10)
                __builtin_trap();
    }
    return 0;
}
