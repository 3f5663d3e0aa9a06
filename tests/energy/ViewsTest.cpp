// The Total and Current views with their dates, the reset of the current
// period, the refresh rules and the buttons the display takes over.

#include "tests/energy/EnergyRig.h"

#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "kelp/System/WinRegistry.h"
#include "screens/energy/ResetTimes.h"
#include "screens/energy/SinceCaption.h"

#include <gtest/gtest.h>

#include <memory>

using namespace energytest;

namespace {

FILETIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME fields{};
    fields.wYear = year;
    fields.wMonth = month;
    fields.wDay = day;
    fields.wHour = hour;
    fields.wMinute = minute;
    FILETIME time{};
    SystemTimeToFileTime(&fields, &time);
    return time;
}

bool Same(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

std::string Since(const char* date)
{
    return kelp::Translate("Since") + date;
}

} // namespace

TEST(Views, TheTotalViewIsDatedFromTheStoredTotalResetTime)
{
    DeleteTimes();
    StoreTime(energy::kTotalResetTime, Time(2026, 3, 7, 9, 5));
    Rig rig;
    EXPECT_EQ(rig.Part<TLabel>("Date").Caption(), Since(": 2026/03/07 09:05"));
    EXPECT_TRUE(rig.Display().IsTotalView());
    // A good value is only read: nothing is written.
    EXPECT_TRUE(Same(*StoredTime(energy::kTotalResetTime), Time(2026, 3, 7, 9, 5)));
    EXPECT_FALSE(StoredTime(energy::kResetTime));
}

TEST(Views, TheFirstCurrentViewWithoutResetTimesStartsBothPeriodsNow)
{
    Rig rig;
    DeleteTimes();
    rig.Part<VtButtonTx>("SwitchButton").Click();
    const std::optional<FILETIME> current = StoredTime(energy::kResetTime);
    const std::optional<FILETIME> total = StoredTime(energy::kTotalResetTime);
    ASSERT_TRUE(current && total);
    EXPECT_TRUE(Same(*current, *total));
    EXPECT_TRUE(IsAboutNow(*current));
    EXPECT_EQ(rig.Part<TLabel>("Date").Caption(), energy::SinceCaption(*current));
}

TEST(Views, SwitchingChangesCaptionsTitlesFiguresAndTheResetButton)
{
    DeleteTimes();
    StoreTime(energy::kTotalResetTime, Time(2025, 12, 31, 23, 59));
    StoreTime(energy::kResetTime, Time(2026, 1, 2, 3, 4));
    Rig rig;
    rig.ShowBoth();
    rig.host.readings = {30, 2000, 100, 4, 2};
    auto& switchButton = rig.Part<VtButtonTx>("SwitchButton");
    auto& reset = rig.Part<VtButton>("ResetButton");
    auto& cpuTitle = LayoutComponent<TLabel>(rig.Cpu(), "CpuEnergySavingTitle");
    const auto area = [&] { return switchButton.TextBounds(); };
    EXPECT_EQ(area().left, 25);
    EXPECT_EQ(area().right - area().left, 100);

    switchButton.Click();
    EXPECT_FALSE(rig.Display().IsTotalView());
    EXPECT_EQ(switchButton.GetText(), kelp::Translate("Total"));
    EXPECT_EQ(rig.Part<TLabel>("ReducedCO2Title").Caption(), kelp::Translate("CO2Reduced"));
    EXPECT_EQ(cpuTitle.Caption(), kelp::Translate("CurrentCPUEnergySaved"));
    EXPECT_EQ(rig.Part<TLabel>("Date").Caption(), Since(": 2026/01/02 03:04"));
    EXPECT_TRUE(reset.Visible());
    EXPECT_EQ(area().left, 30);
    EXPECT_EQ(area().top, 2);
    EXPECT_EQ(area().right - area().left, 80);
    EXPECT_EQ(area().bottom - area().top, 26);
    // The current period's figures: board and graphics card at 615 mg of
    // CO2 per Wh, (2 + 100) * 615 mg, and the board's 100 Wh.
    EXPECT_EQ(ShownText(rig.Display().Co2().Digits()), " 62730.000");
    EXPECT_EQ(ShownText(rig.Display().Energy().Digits()), "100.000000");

    switchButton.Click();
    EXPECT_TRUE(rig.Display().IsTotalView());
    EXPECT_EQ(switchButton.GetText(), kelp::Translate("Current"));
    EXPECT_EQ(rig.Part<TLabel>("ReducedCO2Title").Caption(), kelp::Translate("TotalCO2Reduced"));
    EXPECT_EQ(cpuTitle.Caption(), kelp::Translate("TotalCPUEnergySaved"));
    EXPECT_EQ(rig.Part<TLabel>("Date").Caption(), Since(": 2025/12/31 23:59"));
    EXPECT_FALSE(reset.Visible());
    EXPECT_EQ(area().left, 25);
    EXPECT_EQ(area().right - area().left, 100);
    EXPECT_EQ(ShownText(rig.Display().Co2().Digits()), "  1232.460");
    EXPECT_EQ(ShownText(rig.Display().Energy().Digits()), "  2.000000");

    // The user's grid factor in place of 615 mg per Wh.
    rig.host.readings.co2PerWattHour = 400;
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(rig.Display().Co2().Digits()), "801600.000");
}

TEST(Views, ResetRestartsTheCurrentCountAndItsDate)
{
    DeleteTimes();
    StoreTime(energy::kTotalResetTime, Time(2024, 5, 6, 7, 8));
    StoreTime(energy::kResetTime, Time(2024, 6, 1, 0, 0));
    Rig rig;
    rig.ShowBoth();
    rig.host.readings = {30, 50, 10, 0, 0};
    rig.Part<VtButtonTx>("SwitchButton").Click();
    EXPECT_EQ(ShownText(rig.Display().Energy().Digits()), " 10.000000");

    rig.Part<VtButton>("ResetButton").Click();
    EXPECT_EQ(rig.host.clears, 1);
    const std::optional<FILETIME> current = StoredTime(energy::kResetTime);
    ASSERT_TRUE(current);
    EXPECT_TRUE(IsAboutNow(*current));
    EXPECT_EQ(rig.Part<TLabel>("Date").Caption(), energy::SinceCaption(*current));
    // Shown at once; the total period keeps its start.
    EXPECT_EQ(ShownText(rig.Display().Energy().Digits()), "  0.000000");
    EXPECT_EQ(ShownText(rig.Display().Co2().Digits()), "     0.000");
    EXPECT_TRUE(Same(*StoredTime(energy::kTotalResetTime), Time(2024, 5, 6, 7, 8)));
}

TEST(Views, ACorruptResetTimeCountsAsMissingAndNothingElseIsLost)
{
    const FILETIME total = Time(2023, 8, 9, 10, 11);
    for (int corruption = 0; corruption < 3; ++corruption) {
        DeleteTimes();
        StoreTime(energy::kTotalResetTime, total);
        {
            kelp::RegistryKey key;
            ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, energy::kResetTimeKey, true));
            const BYTE bytes[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
            if (corruption == 0)
                key.WriteDword(energy::kResetTime, 12345);
            else
                key.WriteBinary(energy::kResetTime, bytes, corruption == 1 ? 4 : 12);
            key.WriteDword("Neighbour", 77);
        }
        Rig rig;
        rig.Part<VtButtonTx>("SwitchButton").Click();
        const std::optional<FILETIME> current = StoredTime(energy::kResetTime);
        ASSERT_TRUE(current) << corruption;
        EXPECT_TRUE(IsAboutNow(*current)) << corruption;
        EXPECT_EQ(rig.Part<TLabel>("Date").Caption(), energy::SinceCaption(*current));
        EXPECT_TRUE(Same(*StoredTime(energy::kTotalResetTime), total)) << corruption;
        kelp::RegistryKeyReader key;
        DWORD neighbour = 0;
        EXPECT_TRUE(key.Open(HKEY_LOCAL_MACHINE, energy::kResetTimeKey) && key.ReadDword("Neighbour", neighbour));
        EXPECT_EQ(neighbour, 77u);
        EXPECT_EQ(rig.host.clears, 0);
    }
}

TEST(Views, FiguresAreOnlyRefreshedWhereTheUserCanSeeThem)
{
    Rig rig;
    rig.host.readings = {12.5, 1, 0, 0, 0};
    // Main window hidden: nothing, not even on a shown CPU form.
    rig.Cpu().Show();
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(rig.Display().Power().Digits()), "  .  ");
    EXPECT_EQ(ShownText(rig.Display().Co2().Digits()), "      .   ");

    rig.Main().Show();
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(rig.Display().Power().Digits()), "12.50");
    EXPECT_EQ(ShownText(rig.Display().Co2().Digits()), "   615.000");

    rig.Cpu().Hide();
    rig.host.readings = {20, 2, 0, 0, 0};
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(rig.Display().Power().Digits()), "12.50");
    EXPECT_EQ(ShownText(rig.Display().Co2().Digits()), "  1230.000");
}

TEST(Views, TheDeviceTilesOpenTheCpuAndVgaForms)
{
    Rig rig;
    rig.Main().Show();
    auto& cpuButton = rig.Part<VtButton>("CpuButton");
    cpuButton.Click();
    EXPECT_TRUE(rig.Cpu().Visible());
    cpuButton.Click();
    EXPECT_FALSE(rig.Cpu().Visible());
    rig.Part<VtButton>("VgaButton").Click();
    EXPECT_EQ(rig.host.vgaFormShows, 1);
}

TEST(Views, TheGraphicsBoostGetsItsOwnTileAndLamp)
{
    const std::string art = ArtFolder();
    const auto picture = [&](const char* name) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromFile(art + name);
        return bitmap;
    };
    {
        Rig plain(false);
        auto& lamp = plain.Part<VtBar>("VgaLed");
        EXPECT_EQ(lamp.Left(), 173);
        EXPECT_FALSE(SamePicture(plain.Part<VtButton>("VgaButton").Appearance().RaisedBmp(), *picture("gpu_n.bmp")));
    }
    Rig boost(true);
    auto& button = boost.Part<VtButton>("VgaButton");
    auto& lamp = boost.Part<VtBar>("VgaLed");
    EXPECT_TRUE(SamePicture(button.Appearance().RaisedBmp(), *picture("gpu_n.bmp")));
    EXPECT_TRUE(SamePicture(button.Appearance().SunkenBmp(), *picture("gpu_d.bmp")));
    EXPECT_TRUE(SamePicture(button.Appearance().FocusedBmp(), *picture("gpu_o.bmp")));
    EXPECT_TRUE(SamePicture(button.Appearance().DisabledBmp(), *picture("gpu_un.bmp")));
    EXPECT_TRUE(SamePicture(lamp.Appearance().NormalBmp(), *picture("gpu_light_on.bmp")));
    EXPECT_TRUE(SamePicture(lamp.Appearance().DisabledBmp(), *picture("gpu_light_off.bmp")));
    EXPECT_EQ(lamp.Left(), 173 - 9);
    // The wider lamp stays centred on its recess.
    EXPECT_EQ(lamp.Left() + lamp.Width() / 2, 173 + 14);
}
