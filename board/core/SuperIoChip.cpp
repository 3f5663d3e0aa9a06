#include "board/core/SuperIoChip.h"

#include <windows.h>

#include <mutex>
#include <string>

namespace vboard {
namespace {
const char kLatchSection[] = "superio";
constexpr uint8_t kEnterKey = 0x87;
constexpr uint8_t kLeaveKey = 0xAA;
constexpr uint8_t kIdHighRegister = 0x20;
constexpr uint8_t kIdLowRegister = 0x21;
constexpr uint16_t kDefaultChipId = 0x0667;

// Where a family keeps its CPU fan curve, duty and temperature registers.
struct Layout {
    uint32_t curveTemps;  // first temperature point
    uint32_t curveDuties; // first duty point
    int points;
    uint32_t duty;
    uint32_t temperature;
    bool halfDegreeBit; // bit 7 of temperature + 1 carries the half degree
};

constexpr uint32_t Address(uint32_t bank, uint32_t offset) { return bank * 256 + offset; }

const Layout& LayoutOf(ChipFamily family)
{
    static const Layout chip667{Address(0, 0x6F), Address(0, 0x75), 6, Address(0, 0x7B), Address(1, 0x50), true};
    static const Layout chipDot18{Address(10, 0x51), Address(10, 0x57), 6, Address(0, 0x76), Address(1, 0x50), false};
    static const Layout chip627{Address(1, 0x58), Address(1, 0x5B), 3, Address(0, 0x7B), Address(0, 0x7D), false};
    switch (family) {
    case ChipFamily::Chip667Dot18:
        return chipDot18;
    case ChipFamily::Chip627DHG:
        return chip627;
    default:
        return chip667;
    }
}

// Share of busy processor time since the previous sample, in percent.
// Samples closer than 250 ms apart reuse the last figure, so a burst of
// register reads sees one steady temperature.
unsigned MachineLoad()
{
    static std::mutex guard;
    static ULONGLONG lastTick = 0, lastIdle = 0, lastTotal = 0;
    static unsigned lastLoad = 0;
    std::lock_guard<std::mutex> lock(guard);
    ULONGLONG now = GetTickCount64();
    if (lastTick && now - lastTick < 250)
        return lastLoad;
    FILETIME idle, kernel, user;
    if (!GetSystemTimes(&idle, &kernel, &user))
        return lastLoad;
    auto ticks = [](const FILETIME& time) { return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    ULONGLONG idleNow = ticks(idle), totalNow = ticks(kernel) + ticks(user); // kernel time includes idle
    ULONGLONG total = totalNow - lastTotal, idleSpan = idleNow - lastIdle;
    if (total > 0 && idleSpan <= total)
        lastLoad = unsigned((total - idleSpan) * 100 / total);
    lastTick = now;
    lastIdle = idleNow;
    lastTotal = totalNow;
    return lastLoad;
}

uint8_t StoredRegister(const BoardState& state, uint32_t address)
{
    auto found = state.registers.find(address);
    return found == state.registers.end() ? 0 : found->second;
}

// Duty the curve gives at `degrees`: the first point's duty below it, the
// last point's above it, linear in between.
uint8_t CurveDuty(const BoardState& state, const Layout& layout, unsigned degrees)
{
    auto temp = [&](int i) { return unsigned(StoredRegister(state, layout.curveTemps + i)); };
    auto duty = [&](int i) { return unsigned(StoredRegister(state, layout.curveDuties + i)); };
    if (degrees <= temp(0))
        return uint8_t(duty(0));
    for (int i = 0; i + 1 < layout.points; ++i) {
        unsigned low = temp(i), high = temp(i + 1);
        if (degrees > high || high < low)
            continue;
        if (high == low)
            return uint8_t(duty(i + 1));
        int span = int(duty(i + 1)) - int(duty(i));
        return uint8_t(int(duty(i)) + span * int(degrees - low) / int(high - low));
    }
    return uint8_t(duty(layout.points - 1));
}

unsigned Latch(const BoardState& state, const char* name)
{
    const IniSection* section = state.OtherSection(kLatchSection);
    const IniEntry* entry = section ? section->Find(name) : nullptr;
    if (!entry)
        return 0;
    try {
        return unsigned(std::stoul(entry->value)) & 0xFF;
    } catch (...) {
        return 0;
    }
}

void SetLatch(BoardState& state, const char* name, unsigned value)
{
    IniSection& section = state.EditSection(kLatchSection);
    for (IniEntry& entry : section.entries)
        if (entry.key == name) {
            entry.value = std::to_string(value);
            return;
        }
    section.entries.push_back({name, std::to_string(value)});
}

// Configuration-mode progress: 0 locked, 1 first key seen, 2 open.
const char kConfigStage[] = "config_stage";
const char kConfigIndex[] = "config_index";
const char kHwmIndex[] = "hwm_index";
const char kBank[] = "bank";
} // namespace

ChipFamily FamilyOf(uint16_t chipId)
{
    if ((chipId & 0xB350) == 0xB350)
        return ChipFamily::Chip667Dot18;
    if ((chipId & 0xB070) == 0xB070)
        return ChipFamily::Chip627DHG;
    return ChipFamily::Chip667;
}

uint16_t ChipId(const BoardState& state)
{
    return uint16_t(state.KnobWord("sio_chip", kDefaultChipId));
}

unsigned CpuHalfDegrees(const BoardState& state)
{
    if (auto fixed = state.Knob("sio_cpu_temp"); fixed)
        return state.KnobWord("sio_cpu_temp", 0) * 2;
    unsigned idle = state.KnobWord("sio_idle_temp", 38), span = state.KnobWord("sio_load_span", 40);
    return idle * 2 + span * 2 * MachineLoad() / 100;
}

uint8_t ReadMonitorRegister(const BoardState& state, uint32_t address)
{
    const Layout& layout = LayoutOf(FamilyOf(ChipId(state)));
    if (address == layout.temperature)
        return uint8_t(CpuHalfDegrees(state) / 2);
    if (layout.halfDegreeBit && address == layout.temperature + 1)
        return uint8_t((CpuHalfDegrees(state) & 1) << 7);
    if (address == layout.duty)
        return CurveDuty(state, layout, CpuHalfDegrees(state) / 2);
    return StoredRegister(state, address);
}

void WriteMonitorRegister(BoardState& state, uint32_t address, uint8_t value)
{
    state.registers[address] = value;
}

uint8_t InPort(BoardState& state, uint16_t port)
{
    switch (port) {
    case kSioConfigIndexPort:
        return uint8_t(Latch(state, kConfigIndex));
    case kSioConfigDataPort: {
        if (Latch(state, kConfigStage) != 2)
            return 0xFF;
        unsigned index = Latch(state, kConfigIndex);
        uint16_t id = ChipId(state);
        return index == kIdHighRegister ? uint8_t(id >> 8) : index == kIdLowRegister ? uint8_t(id) : 0xFF;
    }
    case kHwmIndexPort:
        return uint8_t(Latch(state, kHwmIndex));
    case kHwmDataPort: {
        unsigned index = Latch(state, kHwmIndex);
        if (index == kHwmBankRegister)
            return uint8_t(Latch(state, kBank));
        return ReadMonitorRegister(state, Address(Latch(state, kBank), index));
    }
    default:
        return 0xFF;
    }
}

void OutPort(BoardState& state, uint16_t port, uint8_t value)
{
    switch (port) {
    case kSioConfigIndexPort: {
        unsigned stage = Latch(state, kConfigStage);
        if (stage < 2)
            SetLatch(state, kConfigStage, value == kEnterKey ? stage + 1 : 0);
        else if (value == kLeaveKey)
            SetLatch(state, kConfigStage, 0);
        else
            SetLatch(state, kConfigIndex, value);
        break;
    }
    case kHwmIndexPort:
        SetLatch(state, kHwmIndex, value);
        break;
    case kHwmDataPort: {
        unsigned index = Latch(state, kHwmIndex);
        if (index == kHwmBankRegister)
            SetLatch(state, kBank, value);
        else
            WriteMonitorRegister(state, Address(Latch(state, kBank), index), value);
        break;
    }
    default:
        break; // configuration data writes and other ports change nothing here
    }
}

} // namespace vboard
