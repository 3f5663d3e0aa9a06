// The gear dial on a real window over a scripted host: what the chart,
// the marker, the buttons, the caption and the lamps show, and how
// selections are accepted, refused and protected during the cross-fade.

#include "DialFixtures.h"

#include "VtPackage/VtRegistration.h"
#include "engine/ModeChangeCause.h"
#include "engine/ModeModel.h"
#include "framework/TApplication.h"
#include "framework/system/ExecutableFolder.h"
#include "kelp/System/Language.h"
#include "screens/geardial/GearDial.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowlessPaint.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace geardial;
using namespace dialtest;

namespace {

constexpr TColor kWindowColour = 0x00302010;  // RGB(16, 32, 48)
const int kLevels[kModeCount] = {GearLevel::Auto, GearLevel::Turbo, GearLevel::HighPerformance,
                                 GearLevel::MediumSaving, GearLevel::MaxSaving};

class ScriptedHost : public GearDialHost {
public:
    int CurrentLevel() override { return level; }
    bool MayChoose(int requested) override { return requested != managedLevel; }
    void SetMode(int requested) override
    {
        requests.push_back(requested);
        steps.push_back("mode");
    }
    void StopStartupRestore() override { ++restoreStops; }
    bool IsAutoAllowedByBios() override { return autoByBios; }
    bool IsTweakDisabled() override { return tweakDisabled; }
    bool IsCalibrationNeeded() override { return calibrationNeeded; }
    bool HasValidThresholds() override { return thresholds; }
    int RunningAutoGear() override { return runningGear; }
    LampFacts LampFactsFor(int) override { return facts; }
    int Notice(const std::string& text) override
    {
        asked.push_back(text);
        return 1;
    }
    int ConfirmTweak() override
    {
        asked.push_back(kelp::Translate("TweakItConfirm"));
        return confirmAnswer;
    }
    int OfferCalibration(CalibrationOffer offer) override
    {
        const char* key = offer == CalibrationOffer::BeforeSetting         ? "CalibrationBeforSetting"
                          : offer == CalibrationOffer::AfterSettingChanged ? "CalibrateAfterSettingChanged"
                                                                           : "InformCalibration";
        asked.push_back(kelp::Translate(key));
        return promptAnswer;
    }

    void ShowCover(bool shown) override { steps.push_back(shown ? "cover" : "uncover"); }
    int ShowAdvancedSettings() override
    {
        steps.push_back("form");
        return settingsAnswer;
    }
    int ConfirmChangeSetting() override
    {
        steps.push_back("confirm");
        return confirmAnswer;
    }
    void SaveAdvancedSettings() override { steps.push_back("save"); }
    void FinishAdvancedSettings(bool calibrationRequired) override
    {
        steps.push_back(calibrationRequired ? "finish, calibrate" : "finish");
    }

    int level = GearLevel::HighPerformance;
    int managedLevel = GearLevel::Unknown;  // the level the policies refuse
    std::vector<int> requests;
    int restoreStops = 0;
    bool autoByBios = true;
    bool tweakDisabled = false;
    bool calibrationNeeded = false;
    bool thresholds = true;
    int runningGear = 1;
    LampFacts facts;
    int confirmAnswer = 1;
    int promptAnswer = 1;
    int settingsAnswer = 2;
    std::vector<std::string> asked;
    // The advanced-settings sequence as it happened.
    std::vector<std::string> steps;
};

class GearDialTest : public testing::Test {
protected:
    GearDialTest()
    {
        Application();
        RegisterVtComponents();
        form.SetBorderStyle(TBorderStyle::None);
        form.SetBounds(0, 0, 700, 560);
        form.SetColor(kWindowColour);
        const std::string vtArt = ExecutableFolder() + "vtfixtures\\";
        for (int i = 0; i < kModeCount; ++i) {
            auto* button = new VtRadioButton(&form);
            button->SetParent(&form);
            button->LoadUnchecked(vtArt, "radio_unchecked_raised.bmp", "radio_unchecked_sunken.bmp",
                                  "radio_unchecked_focused.bmp", "radio_unchecked_disabled.bmp");
            button->LoadChecked(vtArt, "radio_checked_raised.bmp", "radio_checked_sunken.bmp",
                                "radio_checked_focused.bmp", "radio_checked_disabled.bmp");
            button->SetBounds(42 + 55 * i, 371, button->Width(), button->Height());
            button->SetTag(kLevels[i]);
            parts.modeButtons[i] = button;
        }
        parts.modeName = new TLabel(&form);
        parts.modeName->SetParent(&form);
        for (VtBar** lamp : {&parts.cpuLed, &parts.vgaLed, &parts.chipLed, &parts.memoryLed, &parts.driveLed,
                             &parts.fanLed}) {
            *lamp = new VtBar(&form);
            (*lamp)->SetParent(&form);
        }
        for (VtButtonTx** button : {&parts.moreSetting, &parts.calibrate}) {
            *button = new VtButtonTx(&form);
            (*button)->SetParent(&form);
            (*button)->LoadBitmap(vtArt, "button_raised.bmp", "button_sunken.bmp", "button_focused.bmp",
                                  "button_disabled.bmp");
        }
        form.Show();
    }

    GearDial& Dial()
    {
        if (!dial) {
            dial = std::make_unique<GearDial>(form, host, ArtFolder());
            dial->Attach(parts);
        }
        return *dial;
    }

    VtRadioButton& Button(int index) { return *parts.modeButtons[index]; }

    void Click(int index)
    {
        HWND window = Button(index).Handle();
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }

    void Hover(int index) { SendMessageA(Button(index).Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)); }
    void Leave(int index) { SendMessageA(Button(index).Handle(), WM_MOUSELEAVE, 0, 0); }

    int CheckedIndex()
    {
        int checked = -1;
        for (int i = 0; i < kModeCount; ++i)
            if (Button(i).GetChecked())
                checked = checked == -1 ? i : -2;
        return checked;
    }

    // One chart pixel where the chart's base is opaque.
    Rgb ChartPixel()
    {
        const uint8_t* pixel = Dial().Chart().Picture().ScanLine(5) + 10 * 4;
        return {pixel[2], pixel[1], pixel[0]};
    }

    static Rgb At(TBitmap& snapshot, int x, int y)
    {
        const TColor colour = snapshot.PixelColor(x, y);
        return {int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF)};
    }

    TForm form{nullptr};
    ScriptedHost host;
    DialControls parts;
    std::unique_ptr<GearDial> dial;
};

void PostClick(HWND button)
{
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

// Notes when a window of this thread takes input again, by the tick
// counter: the thread's hook sees the WM_ENABLE that EnableWindow sends.
class EnableWatch {
public:
    explicit EnableWatch(HWND window)
    {
        watched_ = window;
        at_ = 0;
        event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Seen, nullptr, GetCurrentThreadId());
    }
    ~EnableWatch()
    {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        if (event_)
            CloseHandle(event_);
        watched_ = nullptr;
    }
    EnableWatch(const EnableWatch&) = delete;
    EnableWatch& operator=(const EnableWatch&) = delete;

    bool Ready() const { return hook_ && event_; }
    // From any thread: true once the window was enabled.
    bool Wait(DWORD timeoutMs) const { return WaitForSingleObject(event_, timeoutMs) == WAIT_OBJECT_0; }
    DWORD At() const { return at_; }

private:
    static LRESULT CALLBACK Seen(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->hwnd == watched_ && sent->message == WM_ENABLE && sent->wParam) {
            at_ = GetTickCount();
            SetEvent(event_);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline HWND watched_ = nullptr;
    static inline HANDLE event_ = nullptr;
    static inline std::atomic<DWORD> at_{0};
    HHOOK hook_ = nullptr;
};

Rgb Still(int mode)
{
    return Paint(Base(), {Line(), Fill(mode, 200), Mask()});
}

} // namespace

TEST_F(GearDialTest, AttachShowsTheEnginesModeEverywhere)
{
    host.level = GearLevel::MediumSaving;
    GearDial& dial = Dial();
    EXPECT_EQ(CheckedIndex(), 3);
    EXPECT_EQ(dial.ShownIndex(), 3);
    EXPECT_EQ(ChartPixel(), Still(3));
    EXPECT_EQ(dial.GearMarker().Left(), 214);
    EXPECT_EQ(dial.GearMarker().Top(), 331);
    EXPECT_EQ(dial.Chart().Left(), 439);
    EXPECT_EQ(dial.Chart().Top(), 345);
    EXPECT_EQ(parts.modeName->Caption(), kelp::Translate("GearNameL3"));
    const RECT bounds = parts.calibrate->TextBounds();
    EXPECT_EQ(bounds.right - bounds.left, 130);
    EXPECT_EQ(bounds.bottom - bounds.top, 30);
}

TEST_F(GearDialTest, ChartAndMarkerBlendOverTheWindow)
{
    host.level = GearLevel::Turbo;
    GearDial& dial = Dial();
    TBitmap painted;
    PaintWindowless(form, painted, kWindowColour);
    const Rgb window{16, 32, 48};
    // The chart's base is see-through in its first columns.
    EXPECT_EQ(At(painted, 439 + 1, 345 + 5), window);
    EXPECT_EQ(At(painted, 439 + 10, 345 + 5), Still(1));
    // The marker's left half is transparent, its right half opaque.
    const int left = dial.GearMarker().Left();
    EXPECT_EQ(At(painted, left + 1, 331 + 2), window);
    EXPECT_EQ(At(painted, left + 7, 331 + 2), (Rgb{250, 140, 20}));
}

TEST_F(GearDialTest, HoverPreviewsOtherModesOnly)
{
    host.level = GearLevel::HighPerformance;
    Dial();
    const Rgb still = ChartPixel();
    Hover(2);
    EXPECT_EQ(ChartPixel(), still) << "hovering the shown mode changes nothing";
    Leave(2);
    Hover(4);
    EXPECT_EQ(ChartPixel(), Paint(Base(), {Fill(2, 200), Outline(4, 153), Line(), Mask()}));
    // The engine moved on meanwhile: leaving shows what it reports now.
    host.level = GearLevel::Turbo;
    Leave(4);
    EXPECT_EQ(ChartPixel(), Still(1));
    EXPECT_EQ(CheckedIndex(), 1);
}

TEST_F(GearDialTest, LeavingAButtonOtherThanTheHoveredOneKeepsThePreview)
{
    Dial();
    Hover(0);
    const Rgb preview = ChartPixel();
    Leave(3);
    EXPECT_EQ(ChartPixel(), preview);
}

TEST_F(GearDialTest, SelectStartsTheChangeAndFadesToTheNewMode)
{
    const uint64_t choices = ModeChangeCounts()[size_t(ModeChangeCause::User)];
    host.level = GearLevel::HighPerformance;
    GearDial& dial = Dial();
    std::atomic<bool> sawDisabled{false};
    std::atomic<bool> running{true};
    HWND window = form.Handle();
    std::thread watcher([&] {
        while (running) {
            if (!IsWindowEnabled(window))
                sawDisabled = true;
            Sleep(5);
        }
    });
    Click(1);
    running = false;
    watcher.join();

    EXPECT_EQ(host.requests, std::vector<int>{GearLevel::Turbo});
    EXPECT_EQ(ModeChangeCounts()[size_t(ModeChangeCause::User)], choices + 1) << "counted as the user's";
    EXPECT_EQ(host.restoreStops, 1);
    EXPECT_TRUE(sawDisabled) << "the window takes no input while the chart fades";
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(dial.GearMarker().Left(), 106);
    EXPECT_EQ(ChartPixel(), Still(1));
    // The still chart is recorded only when the engine reports the change.
    EXPECT_EQ(dial.ShownIndex(), 2);
    host.level = GearLevel::Turbo;
    dial.Refresh();
    EXPECT_EQ(dial.ShownIndex(), 1);
}

TEST_F(GearDialTest, ClicksDuringAndJustAfterTheFadeAreDropped)
{
    host.level = GearLevel::HighPerformance;
    Dial();
    HWND window = form.Handle();
    HWND low = Button(4).Handle();
    HWND medium = Button(3).Handle();
    EnableWatch enabled(window);
    ASSERT_TRUE(enabled.Ready());
    std::atomic<bool> postedDuring{false};
    // Milliseconds after the window took input again; 0 until posted.
    std::atomic<DWORD> postedAfter{0};
    std::thread clicker([&] {
        const DWORD start = GetTickCount();
        while (IsWindowEnabled(window) && GetTickCount() - start < 5000)
            Sleep(2);
        Sleep(300);
        PostClick(low);
        postedDuring = true;
        if (!enabled.Wait(5000))
            return;
        // Well inside the time in which clicks are still dropped.
        while (GetTickCount() - enabled.At() < 30)
            Sleep(1);
        PostClick(medium);
        postedAfter = GetTickCount() - enabled.At();
    });
    Click(1);
    const DWORD heldAfterEnabling = GetTickCount() - enabled.At();
    clicker.join();
    PumpFor(300);
    ASSERT_TRUE(postedDuring);
    ASSERT_TRUE(enabled.Wait(0)) << "the window never took input again";
    ASSERT_NE(postedAfter, 0u);
    EXPECT_GE(heldAfterEnabling, 100u) << "mouse input is dropped for 100 ms once the window takes it again";
    // On a starved machine the click may come too late to tell; the time
    // held above tells all the same.
    if (postedAfter < 100) {
        EXPECT_EQ(host.requests, std::vector<int>{GearLevel::Turbo}) << "posted " << postedAfter << " ms after";
    }
}

TEST_F(GearDialTest, AutoRefusedLeavesTheCurrentModeChecked)
{
    struct Case {
        const char* name;
        void (*arrange)(ScriptedHost&);
        const char* textKey;
    };
    const Case cases[] = {
        {"unsupported", [](ScriptedHost& h) { h.autoByBios = false; }, "AutoModeUnavaliable"},
        {"tweak not confirmed", [](ScriptedHost& h) { h.tweakDisabled = true; h.confirmAnswer = 2; }, "TweakItConfirm"},
        {"calibration needed, not run",
         [](ScriptedHost& h) { h.calibrationNeeded = true; h.promptAnswer = 2; }, "CalibrateAfterSettingChanged"},
        {"no thresholds, not calibrated",
         [](ScriptedHost& h) { h.thresholds = false; h.promptAnswer = 2; }, "CalibrationBeforSetting"},
    };
    host.level = GearLevel::MaxSaving;
    Dial();
    const uint64_t choices = ModeChangeCounts()[size_t(ModeChangeCause::User)];
    for (const Case& c : cases) {
        host = ScriptedHost();
        host.level = GearLevel::MaxSaving;
        c.arrange(host);
        Click(0);
        EXPECT_TRUE(host.requests.empty()) << c.name;
        EXPECT_EQ(CheckedIndex(), 4) << c.name;
        EXPECT_EQ(ChartPixel(), Still(4)) << c.name;
        ASSERT_EQ(host.asked.size(), 1u) << c.name;
        EXPECT_EQ(host.asked[0], kelp::Translate(c.textKey)) << c.name;
    }
    EXPECT_EQ(ModeChangeCounts()[size_t(ModeChangeCause::User)], choices) << "refused choices are not counted";
}

TEST_F(GearDialTest, AutoAcceptedAfterConfirmationAndCalibration)
{
    host.tweakDisabled = true;
    host.thresholds = false;
    Dial();
    Click(0);
    EXPECT_EQ(host.requests, std::vector<int>{GearLevel::Auto});
    EXPECT_EQ(host.asked, (std::vector<std::string>{kelp::Translate("TweakItConfirm"),
                                                    kelp::Translate("CalibrationBeforSetting")}));
}

TEST_F(GearDialTest, AutoCaptionNamesTheRunningGear)
{
    host.level = GearLevel::Auto;
    host.runningGear = 2;
    GearDial& dial = Dial();
    EXPECT_EQ(parts.modeName->Caption(), kelp::Translate("GearNameL0") + ":" + kelp::Translate("GearNameL3"));
    host.runningGear = 4;
    dial.Refresh();
    EXPECT_EQ(parts.modeName->Caption(), kelp::Translate("GearNameL0") + ":" + kelp::Translate("GearNameL2"));
}

TEST_F(GearDialTest, LampsFollowTheMode)
{
    host.level = GearLevel::MaxSaving;
    host.facts.spinDownTimeout = 59;
    host.facts.fanControlOffered = false;
    GearDial& dial = Dial();
    EXPECT_TRUE(parts.cpuLed->Enabled());
    EXPECT_FALSE(parts.driveLed->Enabled());
    EXPECT_FALSE(parts.fanLed->Enabled());
    EXPECT_TRUE(parts.chipLed->Enabled()) << "only the workstation edition drives the chipset lamp";
    host.facts.spinDownTimeout = 60;
    host.facts.fan = 1;
    host.facts.vgaSaving = true;
    host.facts.workstation = true;
    host.level = GearLevel::Turbo;
    dial.Refresh();
    EXPECT_FALSE(parts.cpuLed->Enabled());
    EXPECT_TRUE(parts.driveLed->Enabled());
    EXPECT_TRUE(parts.fanLed->Enabled());
    EXPECT_TRUE(parts.vgaLed->Enabled());
    EXPECT_FALSE(parts.chipLed->Enabled());
    EXPECT_FALSE(parts.memoryLed->Enabled());
}

TEST_F(GearDialTest, CalibrateButtonOffersTheCalibration)
{
    Dial();
    parts.calibrate->Click();
    EXPECT_EQ(host.asked, std::vector<std::string>{kelp::Translate("InformCalibration")});
}

TEST_F(GearDialTest, SettingsButtonSavesAndReappliesOnlyWhatTheUserKept)
{
    using Steps = std::vector<std::string>;
    Dial();
    host.level = GearLevel::MediumSaving;

    host.settingsAnswer = 2;  // Cancel
    parts.moreSetting->Click();
    EXPECT_EQ(host.steps, (Steps{"cover", "form", "uncover"}));
    EXPECT_TRUE(host.requests.empty());

    host.steps.clear();
    host.settingsAnswer = 1;
    parts.moreSetting->Click();
    EXPECT_EQ(host.steps, (Steps{"cover", "form", "uncover", "save", "mode", "finish"}));
    EXPECT_EQ(host.requests, std::vector<int>{GearLevel::MediumSaving});

    // A change that needs a new calibration is kept only after Yes.
    host.steps.clear();
    host.requests.clear();
    host.settingsAnswer = 6;
    host.confirmAnswer = 2;
    parts.moreSetting->Click();
    EXPECT_EQ(host.steps, (Steps{"cover", "form", "uncover", "confirm"}));
    EXPECT_TRUE(host.requests.empty());

    host.steps.clear();
    host.confirmAnswer = 1;
    host.level = GearLevel::Auto;
    parts.moreSetting->Click();
    EXPECT_EQ(host.steps, (Steps{"cover", "form", "uncover", "confirm", "save", "mode", "finish, calibrate"}));
    EXPECT_EQ(host.requests, std::vector<int>{GearLevel::Auto});
}
