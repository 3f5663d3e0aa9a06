#include "board/core/ItemAccess.h"

#include "board/core/CpuSensors.h"
#include "board/core/SuperIoChip.h"

namespace vboard {

bool ReadItem(const BoardState& state, uint32_t id, uint32_t& value)
{
    if (ReadSensor(state, id, value))
        return true;
    const BoardItem* item = state.Find(id);
    if (!item)
        return false;
    value = item->value;
    return true;
}

bool ReadItemWithArgument(const BoardState& state, uint32_t id, uint32_t argument, uint32_t& value)
{
    if (id == kSioRegisterItem && state.Find(id)) {
        if (argument > 0xFFFF)
            return false;
        value = ReadMonitorRegister(state, argument);
        return true;
    }
    return ReadItem(state, id, value);
}

bool WriteItem(BoardState& state, uint32_t id, uint32_t first, uint32_t second)
{
    BoardItem* item = state.Find(id);
    if (!item)
        return false;
    if (id == kSioRegisterItem) {
        if (first > 0xFFFF || second > 0xFF)
            return false;
        WriteMonitorRegister(state, first, uint8_t(second));
        return true;
    }
    if (item->readOnly || (second != kWritePlain && second != kWritePending) || !item->Accepts(first))
        return false;
    item->value = first;
    return true;
}

} // namespace vboard
