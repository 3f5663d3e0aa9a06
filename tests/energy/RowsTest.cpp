// The three readouts on their forms: the glyphs their images show, their
// unit images and the places of both.

#include "tests/energy/EnergyRig.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace energytest;

namespace {

RECT Bounds(const TControl& control)
{
    return {control.Left(), control.Top(), control.Left() + control.Width(), control.Top() + control.Height()};
}

} // namespace

TEST(Rows, PowerShowsWattsWithTwoDecimalsUpTo9999)
{
    Rig rig;
    rig.ShowBoth();
    const energy::PowerRow& row = rig.Display().Power();
    const std::pair<double, const char*> cases[] = {{0, " 0.00"},   {99.996, "99.99"}, {45.5, "45.50"},
                                                    {100, "99.99"}, {1e9, "99.99"},    {HUGE_VAL, "99.99"},
                                                    {99.999996, "99.99"}};
    for (const auto& [watts, shown] : cases) {
        rig.host.readings.boardPower = watts;
        rig.Display().Refresh();
        EXPECT_EQ(ShownText(row.Digits()), shown) << watts;
    }
    // The row and its unit where the CPU form's well has them.
    EXPECT_EQ(row.Digits().Images().front()->Left(), 59);
    EXPECT_EQ(row.Digits().Images().front()->Top(), 80);
    EXPECT_EQ(row.Unit().Left(), 59 + 78);
    EXPECT_EQ(row.Unit().Top(), 82);
    EXPECT_TRUE(row.Unit().Visible());
}

TEST(Rows, EnergyDropsTheFactorFrom1000WattHoursAndMovesItsUnit)
{
    Rig rig;
    rig.ShowBoth();
    const energy::EnergyRow& row = rig.Display().Energy();
    EXPECT_TRUE(row.Factor().Visible());

    rig.host.readings.boardTotal = 999.4;
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(row.Digits()), "999.400000");
    EXPECT_TRUE(row.Factor().Visible());
    EXPECT_EQ(row.Factor().Left(), 59 + 162);
    EXPECT_EQ(row.Factor().Top(), 139 - 5);
    EXPECT_EQ(row.Unit().Left(), row.Factor().Left() + row.Factor().Width() + 6);

    rig.host.readings.boardTotal = 1000;
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(row.Digits()), "  1.000000");
    EXPECT_FALSE(row.Factor().Visible());
    EXPECT_EQ(row.Unit().Left(), 59 + 162);
    EXPECT_EQ(row.Unit().Top(), 139 + 2);

    rig.host.readings.boardTotal = 2.5e6;
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(row.Digits()), "999.999999");
    // Just below either limit the rounding carries past the highest place.
    rig.host.readings.boardTotal = 999999.9999996;
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(row.Digits()), "999.999999");
    EXPECT_FALSE(row.Factor().Visible());
    rig.host.readings.boardTotal = 999.9999999996;
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(row.Digits()), "999.999999");
    EXPECT_TRUE(row.Factor().Visible());

    // Back below 1000 Wh after a reset of the Current view's count.
    rig.host.readings.boardTotal = 12.25;
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(row.Digits()), " 12.250000");
    EXPECT_TRUE(row.Factor().Visible());
    EXPECT_EQ(row.Unit().Left(), row.Factor().Left() + row.Factor().Width() + 6);
}

TEST(Rows, Co2ChangesItsUnitAtAMillionMilligramsAndAMillionGrams)
{
    Rig rig;
    const energy::DigitGlyphs& glyphs = energy::SharedDigitGlyphs(ArtFolder());
    TBitmap& mg = rig.Part<TImage>("MgBk").Picture();
    TBitmap& g = rig.Part<TImage>("GBk").Picture();
    TBitmap& kg = rig.Part<TImage>("KgBk").Picture();
    energy::Co2Row row(rig.Main(), glyphs, {&mg, &g, &kg});
    row.Place(46, 236);
    row.SetVisible(true);

    const struct {
        double milligrams;
        const char* shown;
        TBitmap* unit;
    } cases[] = {
        {0, "     0.000", &mg},          {999999, "999999.000", &mg},     {1e6, "  1000.000", &g},
        {123456789, "123456.789", &g}, {1e9, "  1000.000", &kg},        {1e15, "999999.999", &kg},
        {999.5, "   999.500", &mg},    {4.2e17, "999999.999", &kg},
        // Just below each unit's limit, where rounding carries past the row.
        {999999.9999996, "999999.999", &mg}, {999999999.9999996, "999999.999", &g},
        {999999999999.9996, "999999.999", &kg},
    };
    for (const auto& c : cases) {
        row.ShowValue(c.milligrams);
        EXPECT_EQ(ShownText(row.Digits()), c.shown) << c.milligrams;
        EXPECT_TRUE(SamePicture(const_cast<VtImage&>(row.UnitImage()).Picture(), *c.unit)) << c.milligrams;
    }
}

TEST(Rows, TheCo2UnitLeavesTheLastDecimalUncovered)
{
    Rig rig;
    rig.Main().Show();
    rig.host.readings.boardTotal = 1626.0;  // 999,990 mg: every place lit
    rig.Display().Refresh();
    const energy::Co2Row& row = rig.Display().Co2();
    const auto& images = row.Digits().Images();
    ASSERT_EQ(images.size(), 10u);
    // Glyph i at 46 + i * (width + 5); the point one pixel closer with a
    // gap of four after it.
    EXPECT_EQ(images[0]->Left(), 46);
    EXPECT_EQ(images[1]->Left(), images[0]->Left() + images[0]->Width() + 5);
    EXPECT_EQ(images[6]->Left(), images[5]->Left() + images[5]->Width() + 5 - 1);
    EXPECT_EQ(images[7]->Left(), images[6]->Left() + images[6]->Width() + 4);
    const RECT unit = Bounds(row.UnitImage());
    EXPECT_EQ(unit.left, 46 + 162);
    EXPECT_EQ(unit.top, 236 + 4);
    EXPECT_LE(Bounds(*images.back()).right, unit.left);
    // The same for the energy row on the CPU form and its factor image.
    const auto& energyImages = rig.Display().Energy().Digits().Images();
    EXPECT_LE(Bounds(*energyImages.back()).right, rig.Display().Energy().Factor().Left());
    // The readout lies inside the display well of the main window's band.
    EXPECT_GE(images[0]->Top(), 230);
    EXPECT_LE(Bounds(*images[0]).bottom, 259);
}

TEST(Rows, TheCo2ReadoutReadsAsItsFigureUnitAndStartForScreenReaders)
{
    Rig rig;
    rig.Main().Show();
    const TAccessibleParts& reading = rig.Display().Co2Reading();
    EXPECT_EQ(reading.AccRole(), TAccRole::StaticText);
    rig.host.readings.boardTotal = 0.01;  // 6.15 mg
    rig.Display().Refresh();
    const std::string small = reading.AccValue();
    EXPECT_EQ(small.rfind("6.150 mg CO2 since ", 0), 0u) << small;
    EXPECT_EQ(small.size(), std::string("6.150 mg CO2 since 2026/12/09 18:39").size()) << small;
    rig.host.readings.boardTotal = 2000.0;  // 1,230,000 mg
    rig.Display().Refresh();
    EXPECT_EQ(reading.AccValue().rfind("1230.000 g CO2 since ", 0), 0u) << reading.AccValue();
    EXPECT_FALSE(reading.AccState() & asUnavailable) << "the mouse passes, the readout is there";
}

TEST(Rows, TheCpuFormsReadoutsReadAsTheirFiguresAndUnits)
{
    Rig rig;
    rig.ShowBoth();
    rig.host.readings.boardPower = 12.345;
    rig.host.readings.boardTotal = 999.4;
    rig.Display().Refresh();
    EXPECT_EQ(rig.Display().PowerReading().AccValue(), "12.35 W") << "as the digits show it, the last one rounded";
    EXPECT_EQ(rig.Display().EnergyReading().AccValue(), "999.400000 Wh") << "watt-hours while the factor shows";
    rig.host.readings.boardTotal = 1000.0;
    rig.Display().Refresh();
    EXPECT_EQ(rig.Display().EnergyReading().AccValue(), "1.000000 kWh");
}
