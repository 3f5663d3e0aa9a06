// Every language's texts fit the places the layout gives them, at the font
// sizes the program switches to for that language.

#include "MainFormArt.h"

#include "VtPackage/VtButtonTx.h"
#include "framework/controls/TLabel.h"
#include "framework/system/ExecutableFolder.h"
#include "tests/support/LanguageText.h"

#include <memory>

using namespace arttest;

namespace {

std::string Text(const std::string& language, const std::string& key)
{
    const std::string path = ExecutableFolder() + "LangFiles\\" + language + "\\" + language + ".ini";
    char text[1024] = "";
    GetPrivateProfileStringA("Translations", key.c_str(), "", text, sizeof(text), path.c_str());
    return text;
}

// A place for text: a label's box or a captioned button's caption area.
struct Place {
    std::string control;
    std::vector<std::string> keys;  // each key's text goes there in turn
    int width = 0, height = 0;      // 0: the control's own size
};

class LanguageFit : public testing::TestWithParam<std::string> {
protected:
    LanguageFit() : m_dc(CreateCompatibleDC(nullptr), DeleteDC) {}

    // German titles drop to 7 pt, the French mode name to 8 pt and the French
    // switch caption to 12 pixels, as the program sets them.
    void Adjust(const std::string& control, TFont& font) const
    {
        const std::string& language = GetParam();
        const bool title = control.size() > 5 && control.compare(control.size() - 5, 5, "Title") == 0;
        if (language == "German" && (control == "CurrentModeName" || (title && control != "SubTitle" &&
                                        control != "CpuStatusTitle" && control != "ReducedCO2Title")))
            font.SetSize(7);
        if (language == "French" && control == "CurrentModeName")
            font.SetSize(8);
        if (language == "French" && control == "SwitchButton")
            font.SetHeight(12);
    }

    // The size of the text drawn on one line.
    SIZE Measure(TFont& font, const std::string& text)
    {
        return SingleLineSize(m_dc.get(), font.Handle(), text);
    }

    void ExpectFits(const Place& place, TFont& layoutFont, const std::string& text)
    {
        TControl& control = Component<TControl>(place.control);
        const int width = place.width ? place.width : control.Width();
        const int height = place.height ? place.height : control.Height();
        TFont font;
        font.Assign(layoutFont);
        Adjust(place.control, font);
        const SIZE size = Measure(font, text);
        EXPECT_LE(size.cx, width) << GetParam() << " " << place.control << ": " << text;
        EXPECT_LE(size.cy, height) << GetParam() << " " << place.control << ": " << text;
    }

    std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)> m_dc;
};

TEST_P(LanguageFit, TitlesFitTheirLabels)
{
    const std::vector<Place> labels = {{"SubTitle", {"SubTitle"}}, {"ModeTitle", {"ModeSetting"}},
        {"CpuStatusTitle", {"CurrentStatus"}}, {"TranquilityTitle", {"Tranquility"}},
        {"PerformanceTitle", {"Performance"}}, {"ReliabilityTitle", {"Reliability"}},
        {"ConvenienceTitle", {"Convenience"}}, {"EnergySavingTitle", {"EnergySaved"}},
        {"ReducedCO2Title", {"TotalCO2Reduced", "CO2Reduced"}}};
    for (const Place& place : labels)
        for (const std::string& key : place.keys) {
            const std::string text = Text(GetParam(), key);
            ASSERT_FALSE(text.empty()) << GetParam() << " " << key;
            ExpectFits(place, Component<TLabel>(place.control).Font(), text);
        }
    ExpectFits({"Date", {}}, Component<TLabel>("Date").Font(), Text(GetParam(), "Since") + ": 2008/04/01 02:31");
}

TEST_P(LanguageFit, EveryModeNameFitsIncludingAutoWithItsGear)
{
    TFont& font = Component<TLabel>("CurrentModeName").Font();
    const Place place{"CurrentModeName", {}};
    const std::string autoName = Text(GetParam(), "GearNameL0");
    for (const char* key : {"GearNameL1", "GearNameL2", "GearNameL3", "GearNameL4"}) {
        const std::string name = Text(GetParam(), key);
        ExpectFits(place, font, name);
        ExpectFits(place, font, autoName + ":" + name);
    }
}

TEST_P(LanguageFit, ButtonCaptionsFitTheirCaptionAreas)
{
    const std::vector<Place> captions = {{"MoreSettingButton", {"Setting"}, 130, 30},
        {"CalibrateButton", {"Calibrate"}, 130, 30}, {"ExitButton", {"Exit"}, 130, 30},
        {"SwitchButton", {"Current"}, 100, 26}, {"SwitchButton", {"Total"}, 80, 26}};
    for (const Place& place : captions)
        ExpectFits(place, Component<VtButtonTx>(place.control).Font(), Text(GetParam(), place.keys.front()));
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageFit, testing::Values("English", "German", "French"));

} // namespace
