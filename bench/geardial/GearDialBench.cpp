// Figures for the dial's cross-fade with the shipped artwork (the Resource
// folder beside the executable): the median time to compose one transition frame
// (goal: at most 10 ms) and the time of the whole transition as the user
// sees it, window disabled to window enabled (goal: 1.6 s within 10 %).

#include "bench/BenchClock.h"

#include "VtPackage/VtRegistration.h"
#include "engine/ModeModel.h"
#include "framework/TApplication.h"
#include "framework/system/ExecutableFolder.h"
#include "screens/geardial/GearDial.h"

#include <cstdio>
#include <vector>

namespace {

using namespace geardial;

// A host whose engine stays at High Performance and accepts every choice.
class QuietHost : public GearDialHost {
public:
    int CurrentLevel() override { return GearLevel::HighPerformance; }
    bool MayChoose(int) override { return true; }
    void SetMode(int) override {}
    void StopStartupRestore() override {}
    bool IsAutoAllowedByBios() override { return true; }
    bool IsTweakDisabled() override { return false; }
    bool IsCalibrationNeeded() override { return false; }
    bool HasValidThresholds() override { return true; }
    int RunningAutoGear() override { return 1; }
    LampFacts LampFactsFor(int) override { return {}; }
    int Notice(const std::string&) override { return 1; }
    int ConfirmTweak() override { return 1; }
    int OfferCalibration(CalibrationOffer) override { return 1; }
    void ShowCover(bool) override {}
    int ShowAdvancedSettings() override { return 2; }
    int ConfirmChangeSetting() override { return 2; }
    void SaveAdvancedSettings() override {}
    void FinishAdvancedSettings(bool) override {}
};

} // namespace

int main()
{
    const std::string folder = ExecutableFolder() + "Resource\\";
    DialArtwork art;
    art.Load(folder);
    TBitmap chart;
    std::vector<double> frames;
    for (int round = 0; round < 20; ++round)
        for (int frame = 0; frame < kTransitionFrames; ++frame) {
            const double start = NowMs();
            ComposeChart(art, TransitionFrame(1, 4, frame), chart);
            frames.push_back(NowMs() - start);
        }
    std::printf("compose one transition frame (%dx%d): median %.2f ms (goal <= 10 ms)\n", chart.Width(),
                chart.Height(), Median(frames));

    Application();
    RegisterVtComponents();
    TForm form(nullptr);
    form.SetBorderStyle(TBorderStyle::None);
    form.SetBounds(0, 0, 691, 538);
    QuietHost host;
    GearDial dial(form, host, folder);
    form.Show();
    Application().ProcessMessages();
    std::vector<double> transitions;
    for (int round = 0; round < 3; ++round) {
        const double start = NowMs();
        dial.Select(GearLevel::MaxSaving);
        transitions.push_back(NowMs() - start);
    }
    // Select ends with the 100 ms drain of queued clicks after the fade.
    const double fade = Median(transitions) - 100;
    std::printf("whole transition (16 frames): median %.0f ms (goal 1600 ms +- 10 %%), %.0f ms with the click drain\n",
                fade, Median(transitions));
    return 0;
}
