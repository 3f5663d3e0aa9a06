// Time from SetModeNoVga to the level being written and the crash guard
// cleared, next to one bare TamselSetLevel call, on a board state of its
// own (the "current" profile unless PELLIX_BOARD_PROFILE names another).
//   modebench [rounds]     (default 20)

#include "bench/BenchClock.h"
#include "bench/BenchReport.h"
#include "board/core/BoardStore.h"
#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "kelp/System/Language.h"
#include "kelp/vantor/PowerGear.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr uint32_t kGearLevelItem = 0x0B060001;

uint32_t BoardLevel()
{
    vboard::BoardState state;
    if (!vboard::BoardStore().Read(state))
        return ~0u;
    const vboard::BoardItem* item = state.Find(kGearLevelItem);
    return item ? item->value : ~0u;
}

// The state file of this run; empty when the board could not be set up.
std::string PrepareBoard()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string state = std::string(folder) + "pellix-modebench-" + std::to_string(GetCurrentProcessId()) + ".state";
    DeleteFileA(state.c_str());
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
} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::string state = PrepareBoard();
    if (state.empty())
        return 1;
    kelp::PowerGear::m_impIndex = 0;
    CpuPowerMonitor::Instance().Start();
    AdvanceSettings& settings = AdvanceSettings::Instance();
    if (!kelp::PowerGear::Instance().IsSupported()) {
        std::printf("the board has no power gear\n");
        return 1;
    }

    const int levels[] = {GearLevel::MediumSaving, GearLevel::MaxSaving, GearLevel::Turbo, GearLevel::HighPerformance};
    std::vector<double> written, cleared;
    for (int round = 0; round < rounds; ++round) {
        const int level = levels[round % 4];
        const double start = NowMs();
        SetModeNoVga(level, true);
        double levelAt = -1;
        while (NowMs() - start < 10000) {
            if (levelAt < 0 && BoardLevel() == uint32_t(level))
                levelAt = NowMs() - start;
            if (levelAt >= 0 && settings.IsGear_FlagClear())
                break;
        }
        cleared.push_back(NowMs() - start);
        written.push_back(levelAt);
        WaitForModeChange(10000);
    }

    const std::string path = kelp::ExecutableFolder() + "Tamsel.dll";
    HMODULE tamsel = LoadLibraryA(path.c_str());
    using SetLevel = uint8_t(__stdcall*)(uint32_t);
    auto setLevel = tamsel ? reinterpret_cast<SetLevel>(reinterpret_cast<void*>(GetProcAddress(tamsel, "TamselSetLevel")))
                           : nullptr;
    std::vector<double> bare;
    for (int round = 0; setLevel && round < rounds; ++round) {
        const double start = NowMs();
        setLevel(uint32_t(levels[round % 4]));
        bare.push_back(NowMs() - start);
    }

    DeleteFileA(state.c_str());
    if (bare.empty()) {
        std::printf("bare TamselSetLevel unavailable (%s)\n", path.c_str());
        return 1;
    }
    ReportFigure("SetModeNoVga -> level written", Median(written), "ms", "bare TamselSetLevel", Median(bare),
                 "ratio<=1.5");
    ReportFigure("SetModeNoVga -> Gear_Flag cleared", Median(cleared), "ms", "bare TamselSetLevel", Median(bare),
                 "ratio<=3");
    return 0;
}
