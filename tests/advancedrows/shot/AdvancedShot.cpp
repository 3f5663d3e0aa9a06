// Picture program for the advanced-settings form: the basic and the
// extended layout with their rows as on the Medium tab (everything can be
// changed) and as on the Turbo tab (the option rows that cannot be changed
// there greyed), an open list, and the nap row without its feature. Before
// each picture it prints "shot <name>" and waits for the screenshot script
// to leave "<name>.done".

#include "framework/TApplication.h"
#include "kelp/System/Language.h"
#include "screens/advancedsetting/OptionRow.h"
#include "screens/advancedsetting/SliderRow.h"
#include "screens/advancedsetting/TAdvancedSetting.h"
#include "tests/support/MessagePump.h"

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(std::initializer_list<const char*> keys)
{
    std::vector<std::string> texts;
    for (const char* key : keys)
        texts.push_back(kelp::Translate(key));
    return texts;
}

std::string WithNumber(const char* key, int number)
{
    std::string text = kelp::Translate(key);
    const auto at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(number));
    return text;
}

std::vector<std::string> TimeTexts()
{
    std::vector<std::string> texts = Texts({"After1min"});
    for (int minutes : {3, 5, 10, 15, 20, 25, 30, 45})
        texts.push_back(WithNumber("Aftermins", minutes));
    texts.push_back(kelp::Translate("After1hour"));
    for (int hours : {2, 3, 4, 5})
        texts.push_back(WithNumber("Afterhours", hours));
    texts.push_back(kelp::Translate("Never"));
    return texts;
}

// The form with its rows, laid out as in the program.
struct Screen {
    explicit Screen(bool extended)
        : form(new TAdvancedSetting(&Application(), extended)), y0(extended ? 49 : 0)
    {
        form->DefaultButton->SetCaption(kelp::Translate("Default"));
        form->OkButton->SetCaption(kelp::Translate("OK"));
        form->CancelButton->SetCaption(kelp::Translate("Cancel"));
        form->FormTitle->SetCaption(kelp::Translate("Setting"));
        for (VtButtonTx* button : {form->DefaultButton, form->OkButton, form->CancelButton}) {
            button->SetTop(button->Top() + y0);
            button->SetTextBounds(0, 0, 115, 30);
        }
        cpu = std::make_unique<SliderRow>(*form, 56, 82);
        cpu->SetTitle(kelp::Translate("CPUFrequency"));
        cpu->SetRange(0, 12);
        cpu->SetValueText([](int p) { return "-" + std::to_string(5 * p + 5) + "%"; });
        cpu->SetPosition(3);
        if (extended) {
            gpu = std::make_unique<GpuSliderRow>(*form, 56, 129);
            gpu->SetTitle(kelp::Translate("GPUFrequency"));
            gpu->SetRange(0, 20);
            gpu->SetValueText([](int p) { return std::to_string(400 + 25 * p) + "MHz"; });
            gpu->SetPosition(8);
        }
        const char* titles[] = {"vCoreDown", "CPULoadline", "ChipsetDown", "FanControl", "OffHD", "OffScreen"};
        for (int i = 0; i < 6; ++i) {
            rows.push_back(std::make_unique<OptionRow>(*form, i % 2 ? 243 : 56, 134 + 49 * (i / 2) + y0));
            rows.back()->SetTitle(kelp::Translate(titles[i]));
        }
        rows[4]->SetItems(TimeTexts());
        rows[5]->SetItems(TimeTexts());
        rows[2]->SetItems(Texts({"Off", "On"}));
    }

    void MediumTab()
    {
        form->MediumTab->SetChecked(true);
        cpu->SetEnabled(true);
        if (gpu)
            gpu->SetEnabled(false);
        rows[0]->SetItems(Texts({"Small", "Medium", "High"}));
        rows[1]->SetItems(Texts({"Light", "Medium", "Heavy"}));
        rows[3]->SetItems(Texts({"KeepBIOSSetting", "Slow"}));
        for (auto& row : rows)
            row->SetEnabled(true);
        rows[0]->Select(1);
        rows[3]->Select(1);
        rows[4]->Select(6);
        rows[5]->Select(2);
    }

    void TurboTab()
    {
        form->TurboTab->SetChecked(true);
        if (gpu)
            gpu->SetEnabled(true);
        rows[0]->SetItems(Texts({"OFF"}));
        rows[1]->SetItems(Texts({"OFF"}));
        rows[3]->SetItems(Texts({"KeepBIOSSetting"}));
        for (int i = 0; i < 4; ++i)
            rows[i]->SetEnabled(false);
    }

    void WithoutNap()
    {
        rows[5]->SetItems(Texts({"CorvexRequired"}));
        rows[5]->SetEnabled(false);
        rows[5]->SetAlert(true);
    }

    TAdvancedSetting* form;
    int y0;
    std::unique_ptr<SliderRow> cpu;
    std::unique_ptr<GpuSliderRow> gpu;
    std::vector<std::unique_ptr<OptionRow>> rows;
};

void Pictures(Screen& screen, const std::string& layout)
{
    screen.form->Show();
    screen.MediumTab();
    ShotNamed(layout + "-medium");
    screen.rows[4]->Open();
    ShotNamed(layout + "-open-list");
    screen.rows[4]->Close();
    screen.rows[3]->Open();
    ShotNamed(layout + "-open-short-list");
    screen.rows[3]->Close();
    screen.TurboTab();
    screen.WithoutNap();
    ShotNamed(layout + "-turbo-disabled");
    screen.form->Hide();
}

} // namespace

int main()
{
    Application();
    Screen basic(false);
    Pictures(basic, "basic");
    Screen extended(true);
    Pictures(extended, "extended");
    return 0;
}
