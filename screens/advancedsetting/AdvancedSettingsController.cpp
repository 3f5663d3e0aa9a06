#include "screens/advancedsetting/AdvancedSettingsController.h"

#include "kelp/System/Language.h"
#include "screens/advancedsetting/ChoiceLists.h"
#include "screens/advancedsetting/MachineSettings.h"

TAdvancedSetting* AdvancedSetting = nullptr;

using namespace advancedsetting;

namespace {

// Places of the rows; the option rows move down in the extended layout to
// make room for the graphics row.
constexpr int kCpuLeft = 56, kCpuTop = 82;
constexpr int kGpuLeft = 56, kGpuTop = 129;
constexpr int kExtendedShift = 49;
struct Place {
    int left, top;
};
constexpr Place kOptionPlaces[kOptionRowCount] = {{56, 134}, {243, 134}, {56, 183},
                                                  {243, 183}, {56, 232}, {243, 232}};
// Caption area of the form's three buttons.
constexpr int kButtonTextWidth = 115, kButtonTextHeight = 30;

std::string Text(const char* key)
{
    return kelp::Translate(key);
}

} // namespace

AdvancedSettingsController& AdvancedSettingsController::Instance()
{
    static MachineSettings machine;
    static AdvancedSettingsController controller(*AdvancedSetting, machine);
    return controller;
}

AdvancedSettingsController::AdvancedSettingsController(TAdvancedSetting& form, SettingsMachine& machine)
    : form_(form), machine_(machine), editor_(machine), tabs_{form.TurboTab, form.NormalTab, form.MediumTab, form.LowTab}
{
    BuildRows();
    WireButtons();
}

void AdvancedSettingsController::SetTexts()
{
    form_.DefaultButton->SetCaption(Text("Default"));
    form_.OkButton->SetCaption(Text("OK"));
    form_.CancelButton->SetCaption(Text("Cancel"));
    form_.FormTitle->SetCaption(Text("Setting"));
    for (VtButtonTx* button : {form_.DefaultButton, form_.OkButton, form_.CancelButton})
        button->SetTextBounds(0, 0, kButtonTextWidth, kButtonTextHeight);
    cpu_->SetTitle(Text("CPUFrequency"));
    if (gpu_)
        gpu_->SetTitle(Text("GPUFrequency"));
}

void AdvancedSettingsController::BuildRows()
{
    // What the rows offer is filled in at each show.
    const std::string language = kelp::GetLanguageName();
    cpu_ = std::make_unique<SliderRow>(form_, kCpuLeft, kCpuTop, false, language);
    cpu_->OnChange = [this] { ReadBack(); };
    const int y0 = form_.IsExtended() ? kExtendedShift : 0;
    if (form_.IsExtended()) {
        for (VtButtonTx* button : {form_.DefaultButton, form_.OkButton, form_.CancelButton})
            button->SetTop(button->Top() + kExtendedShift);
        gpu_ = std::make_unique<GpuSliderRow>(form_, kGpuLeft, kGpuTop, language);
        gpu_->SetValueText([this](int setting) { return GraphicsFrequencyText(machine_.GraphicsSettingText(setting)); });
        gpu_->OnChange = [this] { ReadBack(); };
    }
    for (int row = 0; row < kOptionRowCount; ++row) {
        options_[row] =
            std::make_unique<OptionRow>(form_, kOptionPlaces[row].left, kOptionPlaces[row].top + y0, language);
        options_[row]->OnChange = [this] { ReadBack(); };
    }
}

void AdvancedSettingsController::WireButtons()
{
    for (int tab = 0; tab < kTabCount; ++tab)
        tabs_[tab]->OnClick = [this, tab](TObject*) { SwitchTo(tab); };
    form_.DefaultButton->OnClick = [this](TObject*) { Default(); };
    form_.OkButton->OnClick = [this](TObject*) { Ok(); };
    form_.SetOnShow([this] { Show(); });
}

int AdvancedSettingsController::ShowModal()
{
    return form_.ShowModal();
}

void AdvancedSettingsController::Show()
{
    const int tab = editor_.Begin(form_.IsExtended());
    const SettingsFacts& facts = editor_.Facts();
    // The texts are looked up when the form opens, not at start, where the
    // form waits hidden.
    SetTexts();
    for (OptionRowId row : {VCoreRow, LoadLineRow, ChipsetRow, FanRow, DiskRow, NapRow})
        options_[row]->SetTitle(Text(RowTitleKey(row, facts)));
    tabs_[tab]->SetChecked(true);
    SwitchTo(tab);
}

void AdvancedSettingsController::SwitchTo(int tab)
{
    editor_.SwitchTo(tab);
    ShowTab();
}

void AdvancedSettingsController::ShowTab()
{
    const int tab = editor_.Tab();
    const SettingsFacts& facts = editor_.Facts();
    const RowEnables& enables = editor_.Enables();
    const RowValues shown = editor_.Shown();
    loading_ = true;

    const FrequencyScale scale = facts.cpu[tab];
    cpu_->SetEnabled(enables.IsEnabled(tab, Row::CpuFrequency));
    cpu_->SetRange(scale.min, scale.max);
    cpu_->SetValueText([scale, unit = std::string(FrequencyUnit(facts.phaseGroup))](int position) {
        return FrequencyText(scale, position, unit);
    });
    cpu_->SetPosition(shown.cpu);
    if (gpu_) {
        gpu_->SetEnabled(enables.IsEnabled(tab, Row::GpuFrequency));
        gpu_->SetRange(0, std::max(0, facts.graphics.settings - 1));
        gpu_->SetPosition(shown.gpu);
    }
    for (int row = 0; row < kOptionRowCount; ++row) {
        OptionRow& option = *options_[row];
        const auto id = static_cast<OptionRowId>(row);
        option.SetItems(editor_.Choices(id, [](const char* key) { return Text(key); }));
        option.Select(shown.choice[row]);
        option.SetEnabled(enables.IsEnabled(tab, id));
    }
    options_[NapRow]->SetAlert(!facts.napAvailable);
    loading_ = false;
}

void AdvancedSettingsController::ReadBack()
{
    if (loading_)
        return;
    RowValues rows;
    rows.cpu = cpu_->Position();
    if (gpu_)
        rows.gpu = gpu_->Position();
    for (int row = 0; row < kOptionRowCount; ++row)
        rows.choice[row] = options_[row]->SelectedIndex();
    editor_.Changed(rows);
}

void AdvancedSettingsController::Default()
{
    editor_.Default();
    ShowTab();
}

void AdvancedSettingsController::Ok()
{
    form_.SetModalResult(editor_.OkResult());
}

void AdvancedSettingsController::SaveToStore()
{
    editor_.SaveToStore();
}

void AdvancedSettingsController::Finish(bool calibrationRequired)
{
    editor_.Finish(calibrationRequired);
}
