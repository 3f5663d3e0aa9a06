// Visual check of the numeric LED display on a real display: numbers, unit
// glyphs, a clock and a date in a few colour schemes. Prints "shot" and
// waits for the file "numledshot.done" in the current folder so that a
// script can take a screenshot.

#include "VtPackage/VtNumLed.h"
#include "framework/TApplication.h"
#include "framework/TForm.h"
#include "framework/controls/TLabel.h"
#include "tests/support/MessagePump.h"

#include <cstdio>
#include <string>
#include <windows.h>

namespace {

class ShotForm {
public:
    ShotForm() : m_form(nullptr)
    {
        m_form.SetBorderStyle(TBorderStyle::None);
        m_form.SetBounds(20, 20, 600, 330);
        m_form.SetColor(0x302820);
        m_form.HandleNeeded();

        Number(16, 16, "888.8", 3.14159, "888.8 showing 3.14159");
        Number(316, 16, "8888", 42, "8888 showing 42", true);
        Number(16, 116, "88^C", 45, "88^C showing 45").LedColors().SetLightColor(0x3070FF);
        VtNumLed& rpm = Number(316, 116, "8888&", 1200, "8888& showing 1200");
        rpm.LedColors().SetLightColor(0x00C0FF);
        rpm.LedColors().SetDarkColor(0x203040);

        SYSTEMTIME at{};
        at.wYear = 2026;
        at.wMonth = 12;
        at.wDay = 7;
        at.wHour = 9;
        at.wMinute = 5;
        at.wSecond = 30;
        VtNumLed& clock = Led(16, 216, "HH.MM.SS", "nledTime HH.MM.SS");
        clock.SetType(nledTime);
        clock.SetValue(at);
        VtNumLed& date = Led(316, 216, "YYYY.MM.DD", "nledDate YYYY.MM.DD");
        date.SetType(nledDate);
        date.SetValue(at);
        date.LedColors().SetLightColor(0xF0F0F0);
        date.LedColors().SetDarkColor(0x404040);
        date.LedColors().SetBackgroundColor(0x202020);
    }

    void Show() { m_form.Show(); }

private:
    VtNumLed& Led(int left, int top, const std::string& format, const std::string& caption)
    {
        auto* label = new TLabel(&m_form);
        label->SetParent(&m_form);
        label->SetBounds(left, top, 280, 16);
        label->SetTransparent(true);
        label->Font().SetName("Tahoma");
        label->Font().SetHeight(-12);
        label->Font().SetColor(0xD0D0D0);
        label->SetCaption(caption);

        auto* led = new VtNumLed(&m_form);
        led->SetParent(&m_form);
        led->SetFormat(format);
        led->SetKeepRatio(true);
        led->SetBounds(left, top + 20, 270, 70);
        return *led;
    }

    VtNumLed& Number(int left, int top, const std::string& format, double value, const std::string& caption, bool zeroLeading = false)
    {
        VtNumLed& led = Led(left, top, format, caption + (zeroLeading ? ", leading zeros" : ""));
        led.SetZeroLeading(zeroLeading);
        led.SetValue(value);
        return led;
    }

    TForm m_form;
};

} // namespace

int main()
{
    Application();
    ShotForm form;
    form.Show();
    HoldForScreenshot("numledshot.done");
    return 0;
}
