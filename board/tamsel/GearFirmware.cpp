#include "board/tamsel/GearFirmware.h"

#include "board/core/CpuSensors.h"
#include "board/core/ItemAccess.h"
#include "board/core/NumberText.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tamsel {

using vboard::BoardItem;
using vboard::BoardState;
using vboard::kGearMax;
using vboard::kGearMedium;

namespace {
constexpr char kModesSection[] = "tamsel_modes";
// The items whose values the setting-mode index selects.
constexpr uint32_t kSettingItems[] = {0x0B010006, 0x0B010007, 0x0B050006, 0x0B050007,
                                      0x0B060021, 0x0B060022, 0x0B060023};

std::string ModeKey(uint32_t id, uint32_t mode)
{
    return vboard::HexWord(id) + "@" + std::to_string(mode);
}

bool StoredModeValue(const BoardState& state, uint32_t id, uint32_t mode, uint32_t& value)
{
    const vboard::IniSection* section = state.OtherSection(kModesSection);
    const vboard::IniEntry* entry = section ? section->Find(ModeKey(id, mode)) : nullptr;
    return entry && vboard::ParseWord(entry->value, value);
}

void StoreModeValue(BoardState& state, uint32_t id, uint32_t mode, uint32_t value)
{
    vboard::IniSection& section = state.EditSection(kModesSection);
    const std::string key = ModeKey(id, mode);
    const std::string text = vboard::HexWord(value);
    for (vboard::IniEntry& entry : section.entries)
        if (entry.key == key) {
            entry.value = text;
            return;
        }
    section.entries.push_back({key, text, 0});
}

// Keeps the settings of the mode left and brings in those of the mode chosen.
bool SwitchSettingMode(BoardState& state, uint32_t mode)
{
    BoardItem* index = state.Find(kSettingModeItem);
    if (!index || index->readOnly || !index->Accepts(mode))
        return false;
    const uint32_t previous = index->value;
    if (previous == mode)
        return true;
    for (uint32_t id : kSettingItems) {
        BoardItem* item = state.Find(id);
        if (!item)
            continue;
        StoreModeValue(state, id, previous, item->value);
        uint32_t value;
        item->value = StoredModeValue(state, id, mode, value) && item->Accepts(value) ? value : item->defaultValue;
    }
    index->value = mode;
    return true;
}

unsigned SavingGearToBand(unsigned gear) { return kGearMax - gear; }

// One step of the Auto selection from `gear` with the processor drawing
// `amps`. Band 0 is the most saving gear, band 3 Turbo; switch-up threshold
// k separates bands k and k+1. Stepping down needs the current a hysteresis
// margin below the switch-down threshold. A board without the thresholds
// keeps its gear.
uint32_t SteppedAutoGear(const BoardState& state, uint32_t gear, uint32_t amps)
{
    uint32_t up[3];
    for (uint32_t k = 0; k < 3; ++k) {
        const BoardItem* threshold = state.Find(kFirstThresholdItem + k);
        if (!threshold)
            return gear;
        up[k] = threshold->value;
    }
    const bool sixThresholds = state.Find(kFirstThresholdItem + 3) && state.Find(kFirstThresholdItem + 4) &&
                               state.Find(kFirstThresholdItem + 5);
    const uint32_t hysteresis = state.KnobWord("tamsel_hysteresis", 2);

    unsigned band = SavingGearToBand(std::min<uint32_t>(gear, kGearMax));
    if (band < 3 && amps > up[band]) {
        ++band;
    } else if (band > 0) {
        uint32_t down = up[band - 1];
        if (sixThresholds)
            down = std::min(down, vboard::ItemValueOr(state, kFirstThresholdItem + 3 + (band - 1), down));
        if (uint64_t(amps) + hysteresis < down)
            --band;
    }
    unsigned stepped = kGearMax - band;
    if (stepped == kGearMax && !vboard::HasMaxSavingGear(state))
        stepped = kGearMedium;
    return stepped;
}

void PutWord(unsigned char* record, size_t offset, uint32_t value)
{
    std::memcpy(record + offset, &value, sizeof value);
}
} // namespace

bool IsAcceptedLevel(uint32_t level)
{
    return level <= 0xFF || level == kLevelTurbo || level == kLevelAuto;
}

bool WriteGearItem(BoardState& state, uint32_t id, uint32_t value)
{
    if (id == kGearLevelItem) {
        BoardItem* item = state.Find(id);
        if (!item || !IsAcceptedLevel(value))
            return false;
        item->value = value;
        return true;
    }
    if (id == kSettingModeItem)
        return SwitchSettingMode(state, value);
    return vboard::WriteItem(state, id, value, vboard::kWritePlain);
}

bool RunsAuto(const BoardState& state)
{
    return vboard::ItemValueOr(state, kGearLevelItem, 0) == kLevelAuto && vboard::SavingGearsEnabled(state) &&
           state.Find(vboard::kAutoGearItem) && state.Find(vboard::kCpuCurrentItem);
}

std::optional<uint32_t> NextAutoGear(const BoardState& state)
{
    uint32_t amps;
    if (!RunsAuto(state) || !vboard::ReadItem(state, vboard::kCpuCurrentItem, amps))
        return std::nullopt;
    return SteppedAutoGear(state, state.Find(vboard::kAutoGearItem)->value, amps);
}

bool DescribeItem(const BoardState& state, uint32_t id, unsigned char* record)
{
    const BoardItem* item = state.Find(id);
    if (!item)
        return false;
    std::memset(record, 0, 96);
    PutWord(record, 0, item->id);
    std::strncpy(reinterpret_cast<char*>(record + 4), item->name.c_str(), 63);
    PutWord(record, 68, item->defaultValue);
    PutWord(record, 72, item->value);
    PutWord(record, 76, uint32_t(item->base));
    PutWord(record, 80, uint32_t(item->step));
    PutWord(record, 84, item->Kind() == vboard::ItemKind::Number ? item->count : item->ValueCount());
    PutWord(record, 88, uint32_t(item->exponent));
    PutWord(record, 92, item->attributes);
    return true;
}

bool IsOverclocked(const BoardState& state)
{
    const uint32_t ocState = vboard::ItemValueOr(state, kOverclockStateItem, 1);
    return ocState != 1 && ocState != 2;
}

} // namespace tamsel
