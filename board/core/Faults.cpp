#include "board/core/Faults.h"

#include "board/core/ItemAccess.h"
#include "board/core/NumberText.h"

namespace vboard {
namespace {
bool Listed(const BoardState& state, const char* knob, uint32_t id)
{
    auto list = state.Knob(knob);
    if (!list)
        return false;
    for (const std::string& part : SplitList(*list)) {
        uint32_t listed;
        if (ParseWord(part, listed) && listed == id)
            return true;
    }
    return false;
}
} // namespace

bool ReadFails(const BoardState& state, uint32_t id)
{
    return Listed(state, "fail.read", id);
}

bool WriteFails(const BoardState& state, uint32_t id)
{
    return Listed(state, "fail.write", id);
}

uint32_t CallDelayMs(const BoardState& state)
{
    return state.KnobWord("acpi.delay_ms", 0);
}

uint32_t SioAccessDelayMs(const BoardState& state)
{
    return state.KnobWord("sio.delay_ms", 0);
}

uint32_t ItemCallDelayMs(const BoardState& state, uint32_t id)
{
    return CallDelayMs(state) + (id == kSioRegisterItem ? SioAccessDelayMs(state) : 0);
}

} // namespace vboard
