#include "app/MainAccess.h"

#include "framework/access/TAccessibleObject.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"

namespace {

void Name(TForm& form, const char* control, const char* key)
{
    LayoutComponent<TControl>(form, control).SetAccName([key] { return kelp::Translate(key); });
}

} // namespace

void NameMainControls(TForm& mainWindow)
{
    // Dial order: Auto, Turbo, High Performance, Medium, Max. Power Saving.
    Name(mainWindow, "AutoButton", LANG_KEY("GearNameL0"));
    Name(mainWindow, "TurboButton", LANG_KEY("GearNameL1"));
    Name(mainWindow, "NormalButton", LANG_KEY("GearNameL2"));
    Name(mainWindow, "MedButton", LANG_KEY("GearNameL3"));
    Name(mainWindow, "LowButton", LANG_KEY("GearNameL4"));
    Name(mainWindow, "CloseButton", LANG_KEY("CloseWindow"));
    Name(mainWindow, "MinimizeButton", LANG_KEY("MinimizeWindow"));
    Name(mainWindow, "VgaButton", LANG_KEY("GraphicsCardWindow"));
    Name(mainWindow, "CpuButton", LANG_KEY("CpuWindow"));
    Name(mainWindow, "ResetButton", LANG_KEY("ResetCount"));
    Name(mainWindow, "ShrinkButton", LANG_KEY("SmallWindow"));
    Name(mainWindow, "HistoryButton", LANG_KEY("HistoryTitle"));
    Name(mainWindow, "AutomationButton", LANG_KEY("AutomationWindow"));
}

void MakeMainControlsKeyboardReachable(TForm& mainWindow)
{
    constexpr int kModeGroup = 1;
    for (const char* mode : {"AutoButton", "TurboButton", "NormalButton", "MedButton", "LowButton"}) {
        auto& button = LayoutComponent<TWinControl>(mainWindow, mode);
        button.SetTabStop(true);
        button.SetTabGroup(kModeGroup);
    }
    for (const char* button : {"CloseButton", "MinimizeButton", "VgaButton", "CpuButton", "ResetButton", "ShrinkButton",
                               "AutomationButton", "HistoryButton", "MoreSettingButton", "CalibrateButton", "SwitchButton",
                               "ExitButton"})
        LayoutComponent<TWinControl>(mainWindow, button).SetTabStop(true);
    // Opened from the tray, the window starts at the running mode, which a
    // screen reader then reads first.
    mainWindow.SetFirstFocus(&LayoutComponent<TWinControl>(mainWindow, "AutoButton"));
    mainWindow.SetFocusCuesFollowKeyboard(true);
}

void UseAccessibleTexts(const std::string& language)
{
    SetAccCodePage(language == "Japanese" ? 932 : 1252);
    SetAccActionTexts([](TAccAction action) -> std::string {
        switch (action) {
        case TAccAction::Press:
            return kelp::Translate("ActionPress");
        case TAccAction::Check:
            return kelp::Translate("ActionCheck");
        case TAccAction::Uncheck:
            return kelp::Translate("ActionUncheck");
        case TAccAction::Select:
            return kelp::Translate("ActionSelect");
        case TAccAction::Open:
            return kelp::Translate("ActionOpen");
        case TAccAction::Close:
            return kelp::Translate("ActionClose");
        case TAccAction::None:
            break;
        }
        return {};
    });
}
