// The controller on the real form over a scripted machine: the tab that
// opens, what the rows offer and allow on each tab, changes read back,
// the form's buttons and its answers, and the extended layout.

#include "ScriptedMachine.h"

#include "engine/ModeModel.h"
#include "framework/TApplication.h"
#include "framework/TTimer.h"
#include "kelp/System/Language.h"
#include "kelp/vantor/BiosItems.h"
#include "screens/advancedsetting/AdvancedSettingsController.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

using namespace advancedsetting;
using namespace advancedtest;

namespace {


ScriptedMachine& Machine()
{
    static ScriptedMachine machine;
    return machine;
}

struct FormAndController {
    explicit FormAndController(TAdvancedSetting& f) : form(f), controller(f, Machine()) {}
    TAdvancedSetting& form;
    AdvancedSettingsController controller;
};

FormAndController& Settings(bool extended)
{
    const auto make = [](bool ext) {
        auto* form = new TAdvancedSetting(&Application(), ext); // owned by the application
        return std::make_unique<FormAndController>(*form);
    };
    static auto basic = make(false);
    static auto wide = make(true);
    return extended ? *wide : *basic;
}

std::string T(const char* key)
{
    return kelp::Translate(key);
}

// Runs `action` from the form's modal loop once the form is up.
void WhenShown(TAdvancedSetting& form, std::function<void()> action)
{
    auto* timer = new TTimer(&form); // owned by the form
    timer->SetInterval(30);
    timer->OnTimer = [timer, &form, action = std::move(action)](TObject*) {
        if (!form.Visible())
            return;
        timer->SetEnabled(false);
        action();
    };
    timer->SetEnabled(true);
}

class SettingsFormTest : public testing::Test {
protected:
    SettingsFormTest()
    {
        using namespace kelp::BiosItemId;
        ScriptedMachine& m = Machine();
        m = ScriptedMachine{};
        m.ranges[kFsbTurbo] = {0, 1, 12};
        m.ranges[kFsbSaving] = {0, 1, 22};
        m.store[kTurbo].Fsb = 3;
        m.store[kMedium] = {5, 0, 1, 1, 1, 300000, 1200, 1};
        m.store[kLow] = {9, 0, 2, 2, 0, 0, 1200, 1};
        m.factory = m.store;
        m.factory[kMedium].Fsb = 12;
    }

    // The user picks an entry of an option row.
    static void Choose(OptionRow& row, int index)
    {
        row.Select(index);
        row.OnChange();
    }
    static void Slide(SliderRow& row, int position)
    {
        row.SetPosition(position);
        row.OnChange();
    }

    ScriptedMachine& machine = Machine();
};

} // namespace

TEST_F(SettingsFormTest, OpensOnTheRunningModesTabWithWhatThatTabAllows)
{
    auto& [form, controller] = Settings(false);
    machine.level = GearLevel::MediumSaving;
    controller.Show();
    EXPECT_TRUE(form.MediumTab->GetChecked());
    EXPECT_TRUE(controller.CpuRow().Enabled());
    EXPECT_EQ(controller.CpuRow().Position(), 4);
    EXPECT_EQ(controller.CpuRow().Max(), 20);
    EXPECT_EQ(controller.Option(VCoreRow).Items(), (std::vector<std::string>{T("Small"), T("Medium"), T("High")}));
    EXPECT_EQ(controller.Option(FanRow).Items(), (std::vector<std::string>{T("KeepBIOSSetting"), T("Slow")}));
    EXPECT_EQ(controller.Option(DiskRow).SelectedIndex(), 5);  // 20 minutes
    EXPECT_EQ(controller.Option(NapRow).SelectedIndex(), 2);   // 5 minutes
    for (OptionRowId row : {VCoreRow, LoadLineRow, ChipsetRow, FanRow, DiskRow, NapRow})
        EXPECT_TRUE(controller.Option(row).Enabled()) << row;

    machine.level = GearLevel::Auto;
    controller.Show();
    EXPECT_TRUE(form.TurboTab->GetChecked());
    EXPECT_FALSE(form.MediumTab->GetChecked());
    EXPECT_EQ(controller.Option(VCoreRow).Items(), std::vector<std::string>{T("OFF")});
    EXPECT_EQ(controller.CpuRow().Value().Caption(), "+3%");
    for (OptionRowId row : {VCoreRow, LoadLineRow, ChipsetRow, FanRow})
        EXPECT_FALSE(controller.Option(row).Enabled()) << row;
    EXPECT_TRUE(controller.Option(DiskRow).Enabled());

    // High Performance: only the times.
    form.NormalTab->Click();
    EXPECT_FALSE(controller.CpuRow().Enabled());
    EXPECT_TRUE(controller.Option(NapRow).Enabled());
}

TEST_F(SettingsFormTest, ChangesAreReadBackAndSurviveTabSwitches)
{
    auto& [form, controller] = Settings(false);
    machine.level = GearLevel::MediumSaving;
    controller.Show();
    Choose(controller.Option(DiskRow), 9);  // 1 hour
    Slide(controller.CpuRow(), 14);         // above Max saving's
    form.LowTab->Click();
    EXPECT_EQ(controller.CpuRow().Position(), 14);  // pushed up with Medium
    EXPECT_EQ(controller.Option(FanRow).Items().back(), T("Quiet"));
    form.MediumTab->Click();
    EXPECT_EQ(controller.Option(DiskRow).SelectedIndex(), 9);
    EXPECT_EQ(controller.Editor().Working(kMedium).SpinDownTimeout, 3600u);
    // Nothing reaches the store while the form is up.
    EXPECT_EQ(machine.store[kMedium].SpinDownTimeout, 1200u);
    EXPECT_TRUE(machine.setOrder.empty());

    // A new show starts again from the store.
    controller.Show();
    EXPECT_EQ(controller.Option(DiskRow).SelectedIndex(), 5);
}

TEST_F(SettingsFormTest, DefaultButtonRestoresTheTabsFactoryValues)
{
    auto& [form, controller] = Settings(false);
    machine.level = GearLevel::MediumSaving;
    controller.Show();
    Choose(controller.Option(ChipsetRow), 0);
    form.DefaultButton->Click();
    EXPECT_EQ(controller.Option(ChipsetRow).SelectedIndex(), 1);
    EXPECT_EQ(controller.CpuRow().Position(), 11);
    EXPECT_EQ(controller.Editor().Working(kLow).Fsb, 12u);
}

TEST_F(SettingsFormTest, AnswersOkOkWithCalibrationAndCancel)
{
    auto& [form, controller] = Settings(false);
    machine.level = GearLevel::MediumSaving;
    WhenShown(form, [&] {
        Choose(controller.Option(DiskRow), 0);
        Choose(controller.Option(FanRow), 0);
        form.OkButton->Click();
    });
    EXPECT_EQ(controller.ShowModal(), 1);

    WhenShown(form, [&] {
        form.TurboTab->Click();
        Slide(controller.CpuRow(), 0);
        form.OkButton->Click();
    });
    EXPECT_EQ(controller.ShowModal(), 6);

    WhenShown(form, [&] {
        Slide(controller.CpuRow(), 0);
        form.CancelButton->Click();
    });
    EXPECT_EQ(controller.ShowModal(), 2);
    EXPECT_TRUE(machine.setOrder.empty());

    // Stored values no row can show: looking at every tab and changing a
    // time ask for no calibration.
    machine.store[kMedium].Fsb = 500;
    machine.store[kLow].vCore = 7;
    machine.store[kTurbo].LoadLine = 3;
    WhenShown(form, [&] {
        for (VtRadioButton* tab : {form.TurboTab, form.NormalTab, form.MediumTab, form.LowTab}) {
            tab->Click();
            Choose(controller.Option(DiskRow), 0);
        }
        form.OkButton->Click();
    });
    EXPECT_EQ(controller.ShowModal(), 1);

    // OK leaves saving to the caller.
    controller.SaveToStore();
    EXPECT_EQ(machine.setOrder, (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(SettingsFormTest, NapRowWithoutTheFeatureOnlyTellsWhatIsMissing)
{
    auto& [form, controller] = Settings(false);
    machine.acpiV2 = false;
    controller.Show();
    OptionRow& nap = controller.Option(NapRow);
    EXPECT_EQ(nap.Items(), std::vector<std::string>{T("CorvexRequired")});
    EXPECT_FALSE(nap.Enabled());
    EXPECT_EQ(nap.Title().Caption(), T("DozlaIdleTime"));
    form.MediumTab->Click();
    EXPECT_FALSE(nap.Enabled());

    machine.napUtility = true;
    controller.Show();
    EXPECT_TRUE(nap.Enabled());
    EXPECT_EQ(nap.Items().size(), 15u);
}

TEST_F(SettingsFormTest, WithoutTheItemsRangeTheSliderOffersFortyPositions)
{
    auto& [form, controller] = Settings(false);
    machine.ranges.clear();
    machine.store[kLow].Fsb = 500;
    machine.level = GearLevel::MaxSaving;
    controller.Show();
    EXPECT_EQ(controller.CpuRow().Min(), 0);
    EXPECT_EQ(controller.CpuRow().Max(), 39);
    EXPECT_EQ(controller.CpuRow().Position(), 39);
    EXPECT_EQ(controller.CpuRow().Value().Caption(), "-40%");
}

TEST_F(SettingsFormTest, ExtendedLayoutMakesRoomForTheGraphicsRow)
{
    auto& basic = Settings(false);
    auto& [form, controller] = Settings(true);
    ASSERT_EQ(basic.controller.GpuRow(), nullptr);
    ASSERT_NE(controller.GpuRow(), nullptr);
    EXPECT_EQ(form.OkButton->Top(), basic.form.OkButton->Top() + 49);
    EXPECT_EQ(form.DefaultButton->Top(), basic.form.DefaultButton->Top() + 49);
    EXPECT_EQ(controller.Option(DiskRow).Title().Top(), basic.controller.Option(DiskRow).Title().Top() + 49);

    machine.store[kTurbo].GpuFreq = 3;
    machine.level = GearLevel::Turbo;
    controller.Show();
    SliderRow& gpu = *controller.GpuRow();
    EXPECT_TRUE(gpu.Enabled());
    EXPECT_EQ(gpu.Max(), 9);
    EXPECT_EQ(gpu.Position(), 7);
    EXPECT_EQ(gpu.Value().Caption(), "387MHz");
    Slide(gpu, 0);
    EXPECT_EQ(gpu.Value().Caption(), "Auto");
    Slide(gpu, 5);
    EXPECT_EQ(controller.Editor().Working(kTurbo).GpuFreq, 1u);

    form.MediumTab->Click();
    EXPECT_FALSE(gpu.Enabled());
    EXPECT_EQ(gpu.Position(), 2);
}

// The form waits hidden from start-up: its texts come when it opens.
TEST_F(SettingsFormTest, TextsAreTheLanguagesWhenTheFormOpens)
{
    for (bool extended : {false, true}) {
        auto& [form, controller] = Settings(extended);
        form.OkButton->SetCaption("");
        controller.CpuRow().Title().SetCaption("");
        form.TurboTab->SetHint("");
        WhenShown(form, [&] { form.CancelButton->Click(); });
        EXPECT_EQ(controller.ShowModal(), 2);
        EXPECT_EQ(form.DefaultButton->Caption(), T("Default")) << extended;
        EXPECT_EQ(form.OkButton->Caption(), T("OK")) << extended;
        EXPECT_EQ(form.CancelButton->Caption(), T("Cancel")) << extended;
        EXPECT_EQ(form.FormTitle->Caption(), T("Setting")) << extended;
        EXPECT_EQ(controller.CpuRow().Title().Caption(), T("CPUFrequency")) << extended;
        if (extended)
            EXPECT_EQ(controller.GpuRow()->Title().Caption(), T("GPUFrequency"));
        const std::pair<VtRadioButton*, const char*> tabs[] = {
            {form.TurboTab, "GearNameL1"}, {form.NormalTab, "GearNameL2"}, {form.MediumTab, "GearNameL3"},
            {form.LowTab, "GearNameL4"}};
        for (const auto& [tab, key] : tabs) {
            EXPECT_EQ(tab->Hint(), T(key)) << key;
            EXPECT_TRUE(tab->ShowHint()) << key;
        }
    }
}
