#include "tests/calibration/CalibrationRig.h"

#include "board/core/BoardStore.h"
#include "engine/RegistryLayout.h"
#include "hw/IsRecentIntelProcessor.h"
#include "tests/board/support/BoardTestSupport.h"

#include <tlhelp32.h>

namespace calibtest {

void LoadCalibrationBoard(const std::string& profile, const std::vector<std::pair<std::string, std::string>>& knobs)
{
    geartest::CleanTamselKey();
    geartest::LoadBoard(profile, [&](vboard::BoardState& state) {
        for (const auto& [name, value] : knobs)
            state.knobs[name] = value;
    });
}

unsigned ProcessThreads()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    unsigned count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    CloseHandle(snapshot);
    return count;
}

uint64_t ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    auto ticks = [](const FILETIME& time) { return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10000;
}

bool WindowsAvailable()
{
    HWND probe = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!probe)
        return false;
    DestroyWindow(probe);
    return true;
}

std::optional<DWORD> ReadAdvanceDword(const char* name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, RegKey::Advance, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

CalibrationRig::CalibrationRig() : load(boardtest::RuntimeFolder()) {}

CalibrationDevices CalibrationRig::Devices(unsigned logicalProcessors)
{
    CalibrationDevices devices;
    devices.gear = gear.gear.get();
    devices.load = &load;
    devices.setMode = [this](int level) {
        levels.push_back(level);
        gear.gear->SetLevelItem(level);
    };
    devices.logicalProcessors = logicalProcessors;
    return devices;
}

std::unique_ptr<Calibrator> CalibrationRig::BoardCalibrator(unsigned logicalProcessors)
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    const bool recent = kelp::IsRecentIntelSignature(state.KnobWord("cpuid0_ebx", 0), state.KnobWord("cpuid0_edx", 0),
                                                     state.KnobWord("cpuid1_eax", 0));
    return MakeCalibrator(recent, Devices(logicalProcessors));
}

} // namespace calibtest
