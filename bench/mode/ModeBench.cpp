// Time from SetModeNoVga to the level being written and the crash guard
// cleared, next to one bare TamselSetLevel call, on a board state of its
// own (the "current" profile unless PELLIX_BOARD_PROFILE names another).
// Each round makes one change and one bare call, so both see the same load.
// The benchmark's thread sleeps until the state file or the guard's key
// changes and only then looks: polling them would compete with the change
// for the board lock, the wine server and the processor.
//   modebench [rounds]     (default 20)

#include "bench/BenchClock.h"
#include "bench/BenchReport.h"
#include "board/core/BoardStore.h"
#include "board/core/StateChangeWatch.h"
#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "engine/RegistryLayout.h"
#include "framework/system/ExecutableFolder.h"
#include "kelp/vantor/PowerGear.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr uint32_t kGearLevelItem = 0x0B060001;
constexpr DWORD kGiveUpMs = 10000;

// The board's library, as the program and the bare calls use it.
struct Tamsel {
    using SetLevel = uint8_t(__stdcall*)(uint32_t);
    using GetLevel = uint8_t(__stdcall*)(uint32_t*);
    HMODULE module = LoadLibraryA((ExecutableFolder() + "Tamsel.dll").c_str());
    SetLevel setLevel = Resolve<SetLevel>("TamselSetLevel");
    GetLevel getLevel = Resolve<GetLevel>("TamselGetLevel");

    template <typename Function> Function Resolve(const char* name) const
    {
        return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
    }
    // Asked through the library, whose own reads find the state it has just
    // written already decoded: the look costs next to nothing.
    uint32_t Level() const
    {
        uint32_t level = ~0u;
        return getLevel(&level) ? level : ~0u;
    }
};

// The state file of this run; empty when the board could not be set up.
std::string PrepareBoard()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string state = std::string(folder) + "pellix-modebench-" + std::to_string(GetCurrentProcessId()) + "\\board.state";
    SetEnvironmentVariableA("PELLIX_BOARD_STATE", state.c_str());
    char profile[64] = "current";
    GetEnvironmentVariableA("PELLIX_BOARD_PROFILE", profile, sizeof profile);
    std::string error;
    if (!vboard::BoardStore().LoadProfile(profile, error)) {
        std::printf("board profile %s: %s\n", profile, error.c_str());
        return {};
    }
    return state;
}

// Sleeps until the state file's folder changes, then looks at the level.
bool WaitForLevel(vboard::StateChangeWatch& watch, const Tamsel& tamsel, uint32_t level, double start)
{
    for (;;) {
        watch.Rearm();
        if (tamsel.Level() == level)
            return true;
        if (NowMs() - start > kGiveUpMs || !watch.Wait(kGiveUpMs))
            return false;
    }
}

// Sleeps until a value of the crash guards' key changes, then looks at
// the guard.
bool WaitForGuardClear(HKEY key, HANDLE changed, double start)
{
    for (;;) {
        RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed, TRUE);
        if (AdvanceSettings::Instance().IsGear_FlagClear())
            return true;
        if (NowMs() - start > kGiveUpMs || WaitForSingleObject(changed, kGiveUpMs) != WAIT_OBJECT_0)
            return false;
    }
}
} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::string state = PrepareBoard();
    if (state.empty())
        return 1;
    kelp::PowerGear::m_impIndex = 0;
    CpuPowerMonitor::Instance().Start();
    if (!kelp::PowerGear::Instance().IsSupported()) {
        std::printf("the board has no power gear\n");
        return 1;
    }
    const Tamsel tamsel;
    if (!tamsel.setLevel || !tamsel.getLevel) {
        std::printf("Tamsel.dll unavailable in %s\n", ExecutableFolder().c_str());
        return 1;
    }
    HKEY guardKey = nullptr;
    AdvanceSettings::Instance().ClearGear_Flag();
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, RegKey::Advance, 0, KEY_NOTIFY | KEY_READ, &guardKey);
    const HANDLE guardChanged = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    vboard::StateChangeWatch watch(state);
    if (!guardKey || !guardChanged || !watch.Watching()) {
        std::printf("cannot watch the board state or the crash guard\n");
        return 1;
    }

    // The change and the bare call take turns; each sets a level other than
    // the one in force, so that every call writes the state.
    const int levels[] = {GearLevel::MediumSaving, GearLevel::MaxSaving, GearLevel::Turbo, GearLevel::HighPerformance};
    std::vector<double> written, cleared, bare;
    for (int round = 0; round < rounds; ++round) {
        const int level = levels[round % 4];
        const double start = NowMs();
        SetModeNoVga(level, true);
        if (!WaitForLevel(watch, tamsel, uint32_t(level), start)) {
            std::printf("the level was not written\n");
            return 1;
        }
        written.push_back(NowMs() - start);
        if (!WaitForGuardClear(guardKey, guardChanged, start)) {
            std::printf("the crash guard was not cleared\n");
            return 1;
        }
        cleared.push_back(NowMs() - start);
        WaitForModeChange(kGiveUpMs);

        const double bareStart = NowMs();
        tamsel.setLevel(uint32_t(levels[(round + 2) % 4]));
        bare.push_back(NowMs() - bareStart);
    }

    RegCloseKey(guardKey);
    CloseHandle(guardChanged);
    DeleteFileA(state.c_str());
    RemoveDirectoryA(state.substr(0, state.find_last_of('\\')).c_str());
    ReportFigure("SetModeNoVga -> level written", Median(written), "ms", "bare TamselSetLevel", Median(bare),
                 "ratio<=1.5");
    ReportFigure("SetModeNoVga -> Gear_Flag cleared", Median(cleared), "ms", "bare TamselSetLevel", Median(bare),
                 "ratio<=3");
    return 0;
}
