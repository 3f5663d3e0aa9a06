// Visual check of the skinned controls on a real display: one of each
// control in each of its looks, on one form. Prints "shot" and waits for
// the file "vtshot.done" in the current folder so that a script can take a
// screenshot (tools/vt-shot.sh).

#include "VtPackage/VtBar.h"
#include "VtPackage/VtBrickTx.h"
#include "VtPackage/VtButtonTx.h"
#include "VtPackage/VtCheckBox.h"
#include "VtPackage/VtPanel.h"
#include "VtPackage/VtRadioButton.h"
#include "VtPackage/VtRegistration.h"
#include "framework/TApplication.h"
#include "framework/TForm.h"
#include "framework/controls/TLabel.h"
#include "framework/system/ExecutableFolder.h"
#include "tests/support/MessagePump.h"

#include <cstdio>
#include <string>
#include <windows.h>

namespace {

const char* const kLooks[] = {"raised", "sunken", "focused", "disabled"};
const char* const kLookNames[] = {"Raised", "Pressed", "Hover", "Disabled"};
const TColor kFormColour = 0xF3EFEA;

std::string Art()
{
    return ExecutableFolder() + "vtfixtures\\";
}

class ShotForm {
public:
    ShotForm() : m_form(nullptr)
    {
        m_form.SetBorderStyle(TBorderStyle::None);
        m_form.SetBounds(20, 20, 760, 468);
        m_form.SetColor(kFormColour);
        m_form.HandleNeeded();
        Title(16, 10, "Skinned controls - one of each in each look", 740, -15, fsBold);
        Buttons(16, 40);
        RoundButtons(16, 104);
        Bricks(16, 196);
        CheckBoxes(16, 258);
        Radios(400, 258);
        Bars(16, 384);
    }

    void Show() { m_form.Show(); }

private:
    TLabel& Title(int left, int top, const std::string& text, int width = 360, int height = -12, unsigned style = fsBold)
    {
        auto* label = new TLabel(&m_form);
        label->SetParent(&m_form);
        label->SetBounds(left, top, width, 18);
        label->SetTransparent(true);
        label->Font().SetName("Tahoma");
        label->Font().SetHeight(height);
        label->Font().SetStyle(style);
        label->Font().SetColor(0x503C2A);
        label->SetCaption(text);
        return *label;
    }
    void Note(int left, int top, const std::string& text, int width = 90)
    {
        Title(left, top, text, width, -11, 0).Font().SetColor(0x6E6458);
    }

    void Buttons(int left, int top)
    {
        Title(left, top, "VtButtonTx");
        for (int look = 0; look < 4; ++look) {
            auto* button = new VtButtonTx(&m_form);
            button->SetParent(&m_form);
            button->LoadBitmap(Art(), "button_raised.bmp", "button_sunken.bmp", "button_focused.bmp", "button_disabled.bmp");
            button->SetBounds(left + look * 100, top + 20, 0, 0);
            button->Font().SetName("Tahoma");
            button->Font().SetHeight(-12);
            button->Font().SetStyle(fsBold);
            button->Font().SetColor(clWhite);
            button->FontColors().SetFocused(0x402000);
            button->FontColors().SetDisabled(0xEEEEEE);
            button->SetTransparent(true);
            button->SetText(kLookNames[look]);
            Show(*button, look);
        }
    }

    void RoundButtons(int left, int top)
    {
        Title(left, top, "VtButton, transparent");
        for (int look = 0; look < 4; ++look) {
            auto* button = new VtButton(&m_form);
            button->SetParent(&m_form);
            button->LoadBitmap(Art(), "round_raised.bmp", "round_sunken.bmp", "round_focused.bmp", "round_disabled.bmp");
            button->SetTransparent(true);
            button->SetBounds(left + 22 + look * 100, top + 20, 0, 0);
            Show(*button, look);
            Note(left + look * 100 + 10, top + 62, kLookNames[look], 64);
        }
    }

    void Bricks(int left, int top)
    {
        Title(left, top, "VtBrickTx");
        const char* names[] = {"Normal", "Hover", "Disabled"};
        for (int look = 0; look < 3; ++look) {
            auto* brick = new VtBrickTx(&m_form);
            brick->SetParent(&m_form);
            brick->LoadBitmap(Art(), "brick_normal.bmp", "brick_focused.bmp", "brick_disabled.bmp");
            brick->SetBounds(left + look * 100, top + 20, 0, 0);
            brick->Font().SetName("Tahoma");
            brick->Font().SetHeight(-12);
            brick->Font().SetColor(clWhite);
            brick->FontColors().SetFocused(0x204010);
            brick->FontColors().SetDisabled(0xF2F2F2);
            brick->SetText(names[look]);
            if (look == 1)
                brick->ShowFocused();
            if (look == 2)
                brick->SetEnabled(false);
        }
    }

    void CheckBoxes(int left, int top)
    {
        Title(left, top, "VtCheckBox");
        const char* groups[] = {"unchecked", "checked", "grayed"};
        for (int group = 0; group < 3; ++group) {
            Note(left, top + 24 + group * 28, std::string(1, char(std::toupper(groups[group][0]))) + (groups[group] + 1));
            for (int look = 0; look < 4; ++look) {
                auto* box = new VtCheckBox(&m_form);
                box->SetParent(&m_form);
                auto file = [&](const char* g, int l) { return std::string("check_") + g + "_" + kLooks[l] + ".bmp"; };
                box->LoadUnchecked(Art(), file("unchecked", 0), file("unchecked", 1), file("unchecked", 2), file("unchecked", 3));
                box->LoadChecked(Art(), file("checked", 0), file("checked", 1), file("checked", 2), file("checked", 3));
                box->LoadGrayed(Art(), file("grayed", 0), file("grayed", 1), file("grayed", 2), file("grayed", 3));
                box->SetBounds(left + 90 + look * 70, top + 20 + group * 28, 0, 0);
                box->SetState(static_cast<TCheckBoxState>(group));
                Show(*box, look);
            }
        }
        for (int look = 0; look < 4; ++look)
            Note(left + 80 + look * 70, top + 106, kLookNames[look], 60);
    }

    void Radios(int left, int top)
    {
        auto* panel = new VtPanel(&m_form);
        panel->SetParent(&m_form);
        panel->SetBounds(left - 8, top - 4, 352, 118);
        panel->SetColor(0xEAE4DC);
        auto* title = new TLabel(&m_form);
        title->SetParent(panel);
        title->SetBounds(8, 4, 300, 18);
        title->SetTransparent(true);
        title->Font().SetName("Tahoma");
        title->Font().SetHeight(-12);
        title->Font().SetStyle(fsBold);
        title->Font().SetColor(0x503C2A);
        title->SetCaption("VtRadioButton on a VtPanel");
        for (int group = 0; group < 2; ++group)
            for (int look = 0; look < 4; ++look) {
                // Checked ones sit in frames of their own: checking one
                // unchecks its siblings.
                TWinControl* parent = panel;
                if (group == 1) {
                    auto* frame = new VtPanel(&m_form);
                    frame->SetParent(panel);
                    frame->SetBounds(98 + look * 62, 28 + group * 28, 20, 20);
                    frame->SetColor(panel->Color());
                    parent = frame;
                }
                auto* radio = new VtRadioButton(&m_form);
                radio->SetParent(parent);
                auto file = [&](const char* g, int l) { return std::string("radio_") + g + "_" + kLooks[l] + ".bmp"; };
                radio->LoadUnchecked(Art(), file("unchecked", 0), file("unchecked", 1), file("unchecked", 2), file("unchecked", 3));
                radio->LoadChecked(Art(), file("checked", 0), file("checked", 1), file("checked", 2), file("checked", 3));
                radio->SetTransparent(true);
                if (group == 1)
                    radio->SetChecked(true);
                else
                    radio->SetBounds(98 + look * 62, 28, 0, 0);
                Show(*radio, look);
            }
        for (int group = 0; group < 2; ++group) {
            auto* note = new TLabel(&m_form);
            note->SetParent(panel);
            note->SetBounds(8, 30 + group * 28, 80, 16);
            note->SetTransparent(true);
            note->Font().SetName("Tahoma");
            note->Font().SetHeight(-11);
            note->Font().SetColor(0x6E6458);
            note->SetCaption(group ? "Checked" : "Unchecked");
        }
        for (int look = 0; look < 4; ++look) {
            auto* note = new TLabel(&m_form);
            note->SetParent(panel);
            note->SetBounds(84 + look * 62, 86, 60, 16);
            note->SetTransparent(true);
            note->Font().SetName("Tahoma");
            note->Font().SetHeight(-11);
            note->Font().SetColor(0x6E6458);
            note->SetCaption(kLookNames[look]);
        }
    }

    void Bars(int left, int top)
    {
        Title(left, top, "VtBar");
        const char* names[] = {"Normal, position 20", "Hover, position 90", "Disabled, position 150"};
        const int positions[] = {20, 90, 150};
        for (int look = 0; look < 3; ++look) {
            auto* bar = new VtBar(&m_form);
            bar->SetParent(&m_form);
            bar->LoadBitmap(Art(), "bar_normal.bmp", "bar_focused.bmp", "bar_disabled.bmp");
            bar->SetBounds(left + look * 240, top + 22, 0, 0);
            TBitmap knob;
            knob.LoadFromFile(Art() + "bar_knob.bmp");
            bar->SetIndicator(knob);
            bar->GetIndicator().SetTransparent(true);
            bar->Origin().SetX(10);
            bar->Origin().SetY(12);
            bar->SetLength(160);
            bar->SetScrollPos(positions[look]);
            if (look == 1)
                bar->ShowFocused();
            if (look == 2)
                bar->SetEnabled(false);
            Note(left + look * 240, top + 50, names[look], 200);
        }
    }

    static void Show(VtControl& control, int look)
    {
        switch (look) {
        case 1:
            control.ShowSunken();
            break;
        case 2:
            control.ShowFocused();
            break;
        case 3:
            control.SetEnabled(false);
            break;
        default:
            break;
        }
    }

    TForm m_form;
};

} // namespace

int main()
{
    Application();
    RegisterVtComponents();
    ShotForm form;
    form.Show();
    HoldForScreenshot("vtshot.done");
    return 0;
}
