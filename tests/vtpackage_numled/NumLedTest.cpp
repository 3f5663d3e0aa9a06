#include "NumLedRow.h"

#include "VtPackage/VtNumLed.h"
#include "framework/TForm.h"
#include "framework/controls/TImage.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace numledtest;

namespace {

constexpr int kScale = 4;

SYSTEMTIME DateTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second = 0)
{
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    return t;
}

class NumLedTest : public testing::Test {
protected:
    NumLedTest() : led(new VtNumLed(&form))
    {
        led->SetParent(&form);
        led->LedColors().SetLightColor(kLight);
        led->LedColors().SetDarkColor(kDark);
        led->LedColors().SetBackgroundColor(kBackground);
    }

    // Shows the format at kScale pixels per design unit.
    void Show(const std::string& format)
    {
        led->SetFormat(format);
        led->SetBounds(0, 0, RowWidth(format) * kScale, RowHeight(format) * kScale);
    }
    std::string Row() { return RowReader(*led, kScale).Read(); }
    std::string Shows(double value)
    {
        led->SetValue(value);
        return Row();
    }

    TForm form{nullptr};
    VtNumLed* led;  // owned by the form
};

} // namespace

TEST_F(NumLedTest, NumbersRoundToTheFractionDigitsAndBlankLeadingZeros)
{
    Show("888.8");
    EXPECT_EQ(Shows(3.14159), "__3+1");
    EXPECT_EQ(Shows(12.96), "_13+0");  // rounding carries into the integer part
    EXPECT_EQ(Shows(-5), "__5+0");     // no sign
    EXPECT_EQ(Shows(0.04), "__0+0");   // the units digit always shows

    Show("8888");
    EXPECT_EQ(Shows(42), "__42");
    EXPECT_EQ(Shows(1005), "1005");  // inner zeros are not leading
    EXPECT_EQ(Shows(123456), "3456");
    EXPECT_EQ(Shows(0), "___0");
    led->SetZeroLeading(true);
    EXPECT_EQ(Shows(42), "0042");
    EXPECT_EQ(Shows(0), "0000");
    led->SetZeroLeading(false);  // re-renders at once
    EXPECT_EQ(Row(), "___0");

    double value = 1;
    ASSERT_TRUE(led->GetValue(value));
    EXPECT_EQ(value, 0.0);
}

TEST_F(NumLedTest, FractionOnlyAndPointLessFormats)
{
    Show(".88");
    EXPECT_EQ(Shows(0.5), "+50");
    EXPECT_EQ(Shows(7.25), "+25");  // no integer positions: those digits are dropped
    Show("8.8.8");  // digits after the first point are fraction digits
    EXPECT_EQ(Shows(1.23), "1+2+3");
}

TEST_F(NumLedTest, ValuesThatAreNoNumberOrTooLargeBlankTheDigits)
{
    Show("88.8");
    EXPECT_EQ(Shows(std::numeric_limits<double>::quiet_NaN()), "__+_");
    EXPECT_EQ(Shows(std::numeric_limits<double>::infinity()), "__+_");
    EXPECT_EQ(Shows(1.0), "_1+0");
    EXPECT_EQ(Shows(-std::numeric_limits<double>::max()), "__+_");
    // Huge but finite once scaled: the last digits of the integral value.
    EXPECT_EQ(Shows(1e20), "00+0");
}

TEST_F(NumLedTest, UnitGlyphsStayLitBesideTheDigits)
{
    Show("88^C");
    EXPECT_EQ(Shows(45), "45++");
    EXPECT_EQ(Shows(7), "_7++");
    Show("8888&");
    EXPECT_EQ(Shows(1200), "1200+");
}

TEST_F(NumLedTest, TimesAndDatesShowEveryDigit)
{
    led->SetType(nledTime);
    Show("HHMM");
    led->SetValue(DateTime(2026, 12, 7, 9, 5));
    EXPECT_EQ(Row(), "0905");
    Show("hh.mm.ss");
    EXPECT_EQ(Row(), "09+05+00");
    led->SetValue(DateTime(2026, 12, 7, 23, 59, 48));
    EXPECT_EQ(Row(), "23+59+48");

    SYSTEMTIME shown{};
    ASSERT_TRUE(led->GetValue(shown));
    EXPECT_EQ(shown.wHour, 23);
    double number = -1;
    EXPECT_FALSE(led->GetValue(number));
    led->SetValue(5.0);  // a number means nothing to a clock
    EXPECT_EQ(Row(), "23+59+48");

    led->SetType(nledDate);
    Show("YYYYMMDD");
    led->SetValue(DateTime(2026, 12, 7, 0, 0));
    EXPECT_EQ(Row(), "20261207");
    Show("dd.mm.yy");  // two year digits: the last two
    EXPECT_EQ(Row(), "07+12+26");
    Show("88MM");  // digit positions that are no date field keep all segments
    EXPECT_EQ(Row(), "8812");

    led->SetType(nledFloat);  // back to the number, which was never set
    EXPECT_FALSE(led->GetValue(shown));
    EXPECT_TRUE(led->GetValue(number));
    EXPECT_EQ(Row(), "_012");  // the month positions keep what they showed
}

TEST_F(NumLedTest, InvalidFormatsLeaveTheDisplayAsItWas)
{
    Show("88.8");
    led->SetValue(4.2);
    ASSERT_EQ(Row(), "_4+2");
    for (const char* bad : {"88:88", "", "8 8", "888x"}) {
        led->SetFormat(bad);
        EXPECT_EQ(led->GetFormat(), "88.8") << bad;
        EXPECT_EQ(Row(), "_4+2") << bad;
    }
    led->SetValue(9.1);  // still works on the old LEDs
    EXPECT_EQ(Row(), "_9+1");
}

TEST_F(NumLedTest, OnAndOffSwitchLedsWithoutLosingTheValue)
{
    Show("8888");
    led->SetValue(1234);
    led->Off();
    EXPECT_EQ(Row(), "____");
    led->On(2);
    EXPECT_EQ(Row(), "_2__");
    led->On(9);  // past the last LED: nothing changes
    led->Off(9);
    EXPECT_EQ(Row(), "_2__");
    led->SetValue(5678);  // LEDs that are off stay off
    EXPECT_EQ(Row(), "_6__");
    led->On();  // every segment, as a lamp test
    EXPECT_EQ(Row(), "8888");
    led->SetValue(4321);  // the next value shows normally again
    EXPECT_EQ(Row(), "4321");
    led->Off(4);
    EXPECT_EQ(Row(), "432_");
    led->On(4);
    EXPECT_EQ(Row(), "4321");

    Show("8.8^");
    led->SetValue(2.5);
    led->Off(2);
    EXPECT_EQ(Row(), "2-5+");
}

TEST_F(NumLedTest, KeepRatioFitsTheRowIntoTheBounds)
{
    // Default format: 72 x 22 design units.
    led->SetBounds(5, 6, 144, 100);
    EXPECT_EQ(led->Width(), 144);
    EXPECT_EQ(led->Height(), 100);
    led->SetKeepRatio(true);
    EXPECT_EQ(led->Width(), 144);
    EXPECT_EQ(led->Height(), 44);
    EXPECT_EQ(led->Left(), 5);
    EXPECT_EQ(led->Top(), 6);
    led->SetBounds(0, 0, 720, 33);  // now the height limits: 1.5 times
    EXPECT_EQ(led->Width(), 108);
    EXPECT_EQ(led->Height(), 33);
    led->SetBounds(0, 0, 288, 1000);
    EXPECT_EQ(led->Height(), 88);
    // At four times the design size every segment is where it should be.
    led->SetValue(1234);
    EXPECT_EQ(RowReader(*led, 4).Read(), "1234");
}

TEST_F(NumLedTest, ImageFollowsTheControl)
{
    TImage& image = led->Image();
    EXPECT_EQ(image.Parent(), &form);
    led->SetBounds(12, 34, 72, 22);
    EXPECT_EQ(image.Left(), 12);
    EXPECT_EQ(image.Top(), 34);
    EXPECT_EQ(image.Width(), 72);
    EXPECT_EQ(image.Height(), 22);
    EXPECT_EQ(image.Picture().Width(), 72);

    TForm other(nullptr);
    led->SetParent(&other);
    EXPECT_EQ(image.Parent(), &other);
    EXPECT_EQ(led->Parent(), &other);
    led->Hide();
    EXPECT_FALSE(image.Visible());
    led->Show();
    EXPECT_TRUE(image.Visible());
    led->SetParent(&form);
}

TEST_F(NumLedTest, ColoursAndTheirDefaults)
{
    VtNumLed plain(nullptr);
    EXPECT_EQ(plain.GetFormat(), "8888");
    EXPECT_EQ(plain.GetType(), nledFloat);
    EXPECT_EQ(plain.GetStyle(), nledRectangle7_s);
    EXPECT_FALSE(plain.GetZeroLeading());
    EXPECT_FALSE(plain.GetKeepRatio());
    EXPECT_FALSE(plain.GetTransparent());
    EXPECT_EQ(plain.LedColors().LightColor(), RGB(10, 240, 10));
    EXPECT_EQ(plain.LedColors().DarkColor(), RGB(14, 38, 62));
    EXPECT_EQ(plain.LedColors().BackgroundColor(), clBlack);
    EXPECT_EQ(plain.LedColors().TransparentColor(), plain.Image().Picture().TransparentColor());
    EXPECT_EQ(plain.Image().Picture().TransparentMode(), TTransparentMode::Fixed);

    // Copying the colours repaints with them.
    Show("88");
    led->SetValue(10);
    plain.LedColors().SetTransparentColor(0x123456);
    led->SetLedColors(plain.LedColors());
    EXPECT_EQ(led->LedColors().TransparentColor(), 0x123456u);
    RowReader reader(*led, kScale);
    reader.Read();
    EXPECT_EQ(reader.At(2.5, 6.5), RGB(14, 38, 62));         // first digit's unlit f
    EXPECT_EQ(reader.At(18 + 2.5, 6.5), RGB(10, 240, 10));  // second digit's lit f
    EXPECT_EQ(reader.At(8, 6), clBlack);

    // System colours are stored as the colour they stand for.
    led->LedColors().SetBackgroundColor(0x80000000 | COLOR_WINDOW);
    EXPECT_EQ(led->LedColors().BackgroundColor(), GetSysColor(COLOR_WINDOW));
    reader.Read();
    EXPECT_EQ(reader.At(8, 6), GetSysColor(COLOR_WINDOW));

    led->SetTransparent(true);
    EXPECT_TRUE(led->Image().Transparent());
}
