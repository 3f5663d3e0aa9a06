#include "screens/advancedsetting/TuningEditor.h"

#include "engine/ModeModel.h"
#include "kelp/vantor/BiosItems.h"
#include "screens/advancedsetting/ChoiceLists.h"

namespace advancedsetting {

namespace {

int StepsOf(const std::optional<ItemRange>& range)
{
    return range ? range->steps : 0;
}

// The settings that a calibration of the Auto thresholds depends on.
bool NeedsCalibration(const ModeTuning& a, const ModeTuning& b)
{
    return a.Fsb != b.Fsb || a.vCore != b.vCore || a.LoadLine != b.LoadLine;
}

} // namespace

TuningEditor::TuningEditor(SettingsMachine& machine) : machine_(machine) {}

SettingsFacts TuningEditor::GatherFacts(bool extended)
{
    SettingsFacts facts;
    facts.phaseGroup = machine_.PhaseGroup();
    facts.acpiV2 = machine_.IsAcpiV2();
    facts.napAvailable = facts.acpiV2 || machine_.IsNapUtilityRunning();
    facts.diskOneMinute = DiskListHasOneMinute(machine_.SystemMajorVersion());
    facts.vCoreSteps = StepsOf(machine_.ItemInformation(kelp::BiosItemId::kCoreVoltage));
    facts.loadLineSteps = StepsOf(machine_.ItemInformation(kelp::BiosItemId::kLoadLine));
    for (int tab = 0; tab < kTabCount; ++tab)
        facts.cpu[tab] = CpuFrequencyScale(tab, facts.phaseGroup,
                                           machine_.ItemInformation(FrequencyItem(tab, facts.phaseGroup)));
    if (extended) {
        facts.graphics.present = true;
        facts.graphics.base = machine_.GraphicsBase();
        facts.graphics.current = machine_.GraphicsCurrent();
        facts.graphics.settings = machine_.GraphicsSettings();
    }
    return facts;
}

int TuningEditor::Begin(bool extended)
{
    facts_ = GatherFacts(extended);
    enables_ = EnablesFor(facts_);
    // As stored, also where a row cannot show the value: it stays until
    // the user changes that row.
    for (int tab = 0; tab < kTabCount; ++tab)
        working_[tab] = machine_.StoredTuning(tab);
    tab_ = TabForLevel(machine_.CurrentLevel());
    return tab_;
}

void TuningEditor::SwitchTo(int tab)
{
    if (tab >= 0 && tab < kTabCount)
        tab_ = tab;
}

RowValues TuningEditor::Shown() const
{
    return LoadRows(working_[tab_], tab_, facts_);
}

std::vector<std::string> TuningEditor::Choices(OptionRowId row, const Translator& translate) const
{
    return ChoiceTexts(row, tab_, facts_, translate);
}

void TuningEditor::Changed(const RowValues& rows)
{
    const uint32_t frequency = working_[tab_].Fsb;
    working_[tab_] = ReadRows(rows, working_[tab_], tab_, facts_);
    // Only a frequency the user moved pushes the other saving tab's: a
    // stored pair out of order stays as it is while other rows change.
    if (working_[tab_].Fsb != frequency)
        Couple();
}

void TuningEditor::Default()
{
    working_[tab_] = machine_.FactoryTuning(tab_);
    Couple();
}

void TuningEditor::Couple()
{
    ModeTuning& medium = working_[ModeIndex::Medium];
    ModeTuning& low = working_[ModeIndex::Low];
    if (low.Fsb >= medium.Fsb)
        return;
    if (tab_ == ModeIndex::Medium)
        low.Fsb = medium.Fsb;
    else if (tab_ == ModeIndex::Low)
        medium.Fsb = low.Fsb;
}

int TuningEditor::OkResult()
{
    for (int tab : {ModeIndex::Turbo, ModeIndex::Medium, ModeIndex::Low})
        if (NeedsCalibration(working_[tab], machine_.StoredTuning(tab)))
            return kResultOkRecalibrate;
    return kResultOk;
}

void TuningEditor::SaveToStore()
{
    for (int tab = 0; tab < kTabCount; ++tab)
        machine_.SetTuning(tab, working_[tab]);
}

void TuningEditor::Finish(bool calibrationRequired)
{
    if (calibrationRequired)
        machine_.SetCalibrationNeeded();
    machine_.Save();
}

} // namespace advancedsetting
