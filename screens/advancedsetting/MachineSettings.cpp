#include "screens/advancedsetting/MachineSettings.h"

#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "hw/GraphicsBoost.h"
#include "kelp/System/WindowsVersion.h"
#include "kelp/vantor/PowerGear.h"

#include <windows.h>

namespace advancedsetting {

namespace {

// The graphics clock item; the adapter keeps it first in its list.
kelp::IgdItem* GraphicsClock()
{
    const auto& items = kelp::GraphicsBoost::Instance().Items();
    return items.empty() ? nullptr : items.front().get();
}

} // namespace

int MachineSettings::CurrentLevel()
{
    return CpuPowerMonitor::Instance().CurrentLevel();
}

ModeTuning MachineSettings::StoredTuning(int modeIndex)
{
    ModeTuning tuning;
    AdvanceSettings::Instance().GetTuning(modeIndex, tuning);
    return tuning;
}

ModeTuning MachineSettings::FactoryTuning(int modeIndex)
{
    return DefaultTuning(modeIndex);
}

void MachineSettings::SetTuning(int modeIndex, const ModeTuning& tuning)
{
    AdvanceSettings::Instance().SetTuning(modeIndex, tuning);
}

void MachineSettings::SetCalibrationNeeded()
{
    AdvanceSettings::Instance().SetCalibrationNeeded(true);
}

void MachineSettings::Save()
{
    AdvanceSettings::Instance().Save();
}

std::optional<ItemRange> MachineSettings::ItemInformation(uint32_t item)
{
    kelp::PowerGear& gear = kelp::PowerGear::Instance();
    kelp::GearItemInformation record;
    if (!gear.IsSupported() || !gear.GetItemInformation(item, record))
        return std::nullopt;
    return ItemRange{record.Base(), record.Step(), record.Steps()};
}

int MachineSettings::PhaseGroup()
{
    return CpuPowerMonitor::Instance().GetPhaseGroupValue();
}

bool MachineSettings::IsAcpiV2()
{
    return CpuPowerMonitor::Instance().IsAcpiV2();
}

bool MachineSettings::IsNapUtilityRunning()
{
    return FindWindowA("TMainForm", "Dozla") != nullptr;
}

unsigned MachineSettings::SystemMajorVersion()
{
    return kelp::WindowsMajorVersion();
}

int MachineSettings::GraphicsBase()
{
    return static_cast<int>(kelp::GraphicsBoost::Instance().BoostBase());
}

int MachineSettings::GraphicsCurrent()
{
    kelp::IgdItem* clock = GraphicsClock();
    if (!clock)
        return 0;
    clock->Read();
    return clock->Current();
}

int MachineSettings::GraphicsSettings()
{
    kelp::IgdItem* clock = GraphicsClock();
    return clock ? static_cast<int>(clock->Item().GetCount()) : 0;
}

std::string MachineSettings::GraphicsSettingText(int setting)
{
    // Asking the item for the value of a named setting would stop the
    // program with a notice; its text is there for every setting.
    kelp::IgdItem* clock = GraphicsClock();
    if (!clock || setting < 0 || static_cast<unsigned>(setting) >= clock->Item().GetCount())
        return {};
    return clock->Item().IndexToString(static_cast<unsigned>(setting));
}

} // namespace advancedsetting
