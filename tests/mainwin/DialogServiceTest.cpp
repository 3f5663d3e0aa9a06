// The dialogs' messages and answers, over a presenter that records what it
// was asked (and whether the main window was dimmed then) and answers from
// a script, and a progress run that never shows a window.

#include "engine/Calibration.h"
#include "kelp/System/Language.h"
#include "kelp/System/WinRegistry.h"
#include "policy/Policies.h"
#include "screens/dialogs/DialogService.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

const std::string boardState = boardtest::UseOwnBoardState("mainwin-dialogs");

struct Asked {
    std::string message;
    std::optional<std::string> left;
    std::string right;
    bool covered;
};

class ScriptedPresenter final : public DialogPresenter {
public:
    int Ask(const std::string& message, const std::optional<std::string>& left, const std::string& right) override
    {
        asked.push_back({message, left, right, covered});
        int answer = answers.empty() ? 2 : answers.front();
        if (!answers.empty())
            answers.pop_front();
        if (whileUp)
            std::exchange(whileUp, nullptr)();
        if (dismissed)
            answer = 2;
        dismissed = false;
        return answer;
    }
    bool IsShown() const override { return false; }
    void Dismiss() override { dismissed = true; }

    std::deque<int> answers;
    std::vector<Asked> asked;
    bool covered = false;
    // Runs once inside the next question, as messages handled meanwhile do.
    std::function<void()> whileUp;
    bool dismissed = false;
};

std::string T(const char* key)
{
    return kelp::Translate(key);
}

std::optional<DWORD> ReadAdvance(const char* name)
{
    kelp::RegistryKeyReader key;
    DWORD value = 0;
    if (key.Open(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3\\Advance") && key.ReadDword(name, value))
        return value;
    return std::nullopt;
}

std::optional<DWORD> CalibrationNeeded()
{
    kelp::RegistryKeyReader key;
    DWORD value = 0;
    if (key.Open(HKEY_CURRENT_USER, "Software\\VANTOR\\Tamsel3\\Advance") && key.ReadDword("CalibrationNeeded", value))
        return value;
    return std::nullopt;
}

class Dialogs : public testing::Test {
protected:
    // The progress run ends at once with the scripted result, after
    // noting what it was given.
    DialogService service{presenter,
                          [this](int steps, unsigned durationMs, const std::function<void(int)>&, const std::string& message) {
                              ++progressRuns;
                              if (duringProgress)
                                  std::exchange(duringProgress, nullptr)();
                              if (progressFailure)
                                  throw std::runtime_error(progressFailure);
                              progressMessage = message;
                              progressSteps = steps;
                              progressDuration = durationMs;
                              shownDuringProgress = service.IsDialogShown();
                              coveredDuringProgress = presenter.covered;
                              return std::exchange(progressCancelled, false) ? 2 : progressResult;
                          },
                          [this] { progressCancelled = true; },
                          [] () -> Calibrator& { return GetCalibrator(); },
                          [this](bool shown) {
                              EXPECT_NE(presenter.covered, shown) << "the cover switched twice the same way";
                              presenter.covered = shown;
                          }};
    ScriptedPresenter presenter;
    boardtest::MessageBoxCatcher boxes;
    int progressResult = 1;
    int progressRuns = 0;
    bool progressCancelled = false;
    const char* progressFailure = nullptr;
    // Runs once inside the next progress run, as messages handled meanwhile do.
    std::function<void()> duringProgress;
    int progressSteps = 0;
    unsigned progressDuration = 0;
    bool shownDuringProgress = false;
    bool coveredDuringProgress = false;
    std::string progressMessage;
};

} // namespace

TEST_F(Dialogs, NoticesOfferOnlyTheRightButton)
{
    EXPECT_EQ(service.Notice("Something happened"), 2);
    EXPECT_EQ(service.BackToDefault(), 2);
    ASSERT_EQ(presenter.asked.size(), 2u);
    EXPECT_EQ(presenter.asked[0].message, "Something happened");
    EXPECT_EQ(presenter.asked[0].left, std::nullopt);
    EXPECT_EQ(presenter.asked[0].right, T("OK"));
    EXPECT_EQ(presenter.asked[1].message, T("BackToDefault"));
    EXPECT_EQ(presenter.asked[1].left, std::nullopt);
}

TEST_F(Dialogs, ConfirmExitAsksOnTwoLinesAndPassesTheAnswerOn)
{
    presenter.answers = {1, 2};
    EXPECT_EQ(service.ConfirmExit(), 1);
    EXPECT_EQ(service.ConfirmExit(), 2);
    EXPECT_EQ(presenter.asked[0].message, T("SetToHighPerformanceBeforeExit") + "\n" + T("SureExit"));
    EXPECT_EQ(presenter.asked[0].left, T("Yes"));
    EXPECT_EQ(presenter.asked[0].right, T("No"));
}

TEST_F(Dialogs, DecliningTheCalibrationPromptRunsNothing)
{
    presenter.answers = {2};
    EXPECT_EQ(service.FirstRunCalibration(), 2);
    ASSERT_EQ(presenter.asked.size(), 1u);
    EXPECT_EQ(presenter.asked[0].message, T("FirstRunOrdun-6") + "\n" + T("CloseUnnecessaryPrograms"));
    EXPECT_EQ(presenter.asked[0].left, T("RunCalibration"));
    EXPECT_EQ(presenter.asked[0].right, T("Exit"));
    EXPECT_EQ(progressSteps, 0) << "a calibration ran";
}

TEST_F(Dialogs, ACompletedCalibrationClearsTheRequestAndACancelledOneKeepsIt)
{
    kelp::RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, "Software\\VANTOR\\Tamsel3\\Advance", true));
    ASSERT_TRUE(key.WriteDword("CalibrationNeeded", 1));

    progressResult = 2;
    presenter.answers = {1};
    EXPECT_EQ(service.CalibrationPrompt("Calibrate?"), 2) << "the cancelled run's answer";
    EXPECT_TRUE(shownDuringProgress);
    EXPECT_FALSE(service.IsDialogShown());
    EXPECT_EQ(CalibrationNeeded(), DWORD(1));
    const Calibrator& calibrator = GetCalibrator();
    EXPECT_EQ(progressSteps, calibrator.StepCount());
    EXPECT_EQ(progressDuration, calibrator.DurationMs());
    EXPECT_EQ(progressMessage, T("CalibratingWait"));

    progressResult = 1;
    EXPECT_EQ(service.RunCalibration(), 1);
    EXPECT_EQ(CalibrationNeeded(), DWORD(0));
    EXPECT_FALSE(service.IsDialogShown());
}

// A second Auto request arrives while the calibration it started still
// runs: the running one goes on undisturbed.
TEST_F(Dialogs, ACalibrationIsNotStartedWhileOneRuns)
{
    int nestedResult = 0;
    std::optional<DWORD> flagAfterNested;
    bool nestedTried = false;
    duringProgress = [&] {
        if (std::exchange(nestedTried, true))
            return; // the refused run's own progress, if it got that far
        GetCalibrator().Step(20); // a first sample of the run
        nestedResult = service.RunCalibration();
        flagAfterNested = ReadAdvance("Calibration_Flag");
    };
    progressResult = 1;
    EXPECT_EQ(service.RunCalibration(), 1);
    EXPECT_EQ(nestedResult, 2);
    EXPECT_EQ(progressRuns, 1);
    EXPECT_EQ(flagAfterNested, DWORD(1)) << "the crash guard was cleared in the middle of the run";
    EXPECT_EQ(GetCalibrator().SampleCount(), 1) << "the running calibration was rewound";
    EXPECT_EQ(ReadAdvance("Calibration_Flag"), DWORD(0));
}

// Messages handled inside a dialog's modal loop (the tray menu, another
// program's Auto request) ask for more: nothing else is shown over it, and
// closing it answers as its close button would, a calibration cancelled.
TEST_F(Dialogs, OneDialogAtATimeAndClosingItAnswersTwo)
{
    std::vector<int> nested;
    const auto askEverything = [&] {
        EXPECT_TRUE(service.IsDialogShown());
        nested = {service.ConfirmExit(), service.ConfirmTweak(), service.Notice("note"), service.InformCalibration(),
                  service.RunCalibration()};
        service.CloseDialog();
    };
    presenter.answers = {1};
    presenter.whileUp = askEverything;
    EXPECT_EQ(service.ConfirmChangeSetting(), 2);
    EXPECT_EQ(nested, std::vector<int>(5, 2));
    EXPECT_EQ(presenter.asked.size(), 1u);
    EXPECT_EQ(progressRuns, 0);
    EXPECT_FALSE(presenter.covered);

    duringProgress = askEverything;
    EXPECT_EQ(service.RunCalibration(), 2);
    EXPECT_EQ(nested, std::vector<int>(5, 2));
    EXPECT_EQ(presenter.asked.size(), 1u);
    EXPECT_EQ(progressRuns, 1);
    EXPECT_EQ(ReadAdvance("Calibration_Flag"), DWORD(0));
    EXPECT_FALSE(service.IsDialogShown());
}

// A progress form that fails ends the run like a cancel, and the next
// calibration and the main window's restore are not refused for ever.
TEST_F(Dialogs, AFailedProgressFormEndsTheRunAndRefusesNothingLater)
{
    progressFailure = "progress form failed";
    EXPECT_THROW(service.RunCalibration(), std::runtime_error);
    EXPECT_FALSE(service.IsDialogShown());
    EXPECT_EQ(ReadAdvance("Calibration_Flag"), DWORD(0));
    progressFailure = nullptr;
    EXPECT_EQ(service.RunCalibration(), 1);
    EXPECT_EQ(progressRuns, 2);
}

TEST_F(Dialogs, OnlyTheTweakQuestionRunsItsTwoTextsTogether)
{
    presenter.answers = {1, 2};
    EXPECT_EQ(service.ConfirmTweak(), 1);
    EXPECT_EQ(service.ConfirmChangeSetting(), 2);
    ASSERT_EQ(presenter.asked.size(), 2u);
    EXPECT_EQ(presenter.asked[0].message, T("TweakItConfirm") + T("SureContinue"));
    EXPECT_EQ(presenter.asked[1].message, T("ChangeSetting") + "\n" + T("SureContinue"));
    for (const Asked& asked : presenter.asked) {
        EXPECT_EQ(asked.left, T("Yes"));
        EXPECT_EQ(asked.right, T("No"));
    }
}

TEST_F(Dialogs, SettingQuestionsAndPromptsDimTheMainWindowExitAndNoticesDoNot)
{
    service.ConfirmTweak();
    service.ConfirmChangeSetting();
    service.CalibrationBeforeSetting();
    service.CalibrateAfterSettingChanged();
    service.InformCalibration();
    service.ConfirmExit();
    service.Notice("note");
    service.BackToDefault();
    service.FirstRunCalibration();
    ASSERT_EQ(presenter.asked.size(), 9u);
    for (size_t i = 0; i < presenter.asked.size(); ++i)
        EXPECT_EQ(presenter.asked[i].covered, i < 5) << presenter.asked[i].message;
    EXPECT_FALSE(presenter.covered) << "the cover stayed up";
}

TEST_F(Dialogs, CancelDuringTheRunAnswersTwoFromEveryPromptAndKeepsTheRequest)
{
    kelp::RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, "Software\\VANTOR\\Tamsel3\\Advance", true));
    ASSERT_TRUE(key.WriteDword("CalibrationNeeded", 1));
    progressResult = 2;
    const std::function<int()> prompts[] = {[&] { return service.FirstRunCalibration(); },
                                            [&] { return service.CalibrationBeforeSetting(); },
                                            [&] { return service.CalibrateAfterSettingChanged(); },
                                            [&] { return service.InformCalibration(); }};
    for (const auto& prompt : prompts) {
        presenter.answers = {1};
        progressSteps = 0;
        EXPECT_EQ(prompt(), 2);
        EXPECT_EQ(progressSteps, GetCalibrator().StepCount()) << "no calibration ran";
        EXPECT_EQ(CalibrationNeeded(), DWORD(1));
    }
    EXPECT_EQ(presenter.asked[1].message, T("CalibrationBeforSetting") + "\n" + T("CloseAllRunningPrograms"));
    EXPECT_EQ(presenter.asked[2].message, T("CalibrateAfterSettingChanged") + "\n" + T("CloseAllRunningPrograms"));
    EXPECT_EQ(presenter.asked[3].message, T("InformCalibration"));
    EXPECT_TRUE(coveredDuringProgress) << "the prompt's cover went before the run";

    progressResult = 1;
    presenter.answers = {1};
    EXPECT_EQ(service.InformCalibration(), 1);
    EXPECT_EQ(CalibrationNeeded(), DWORD(0));
}

// A policy that switches the calibration off: accepting any offer of a
// calibration runs none and says why; without the policy it runs again.
TEST_F(Dialogs, ACalibrationSwitchedOffByPolicyRunsNoneAndSaysWhy)
{
    kelp::RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, "Software\\Policies\\Pellix", true));
    ASSERT_TRUE(key.WriteDword("DisableCalibration", 1));
    key.Close();
    policy::RefreshPolicies();
    presenter.answers = {1, 2};
    EXPECT_EQ(service.FirstRunCalibration(), 2);
    EXPECT_EQ(progressRuns, 0);
    ASSERT_EQ(presenter.asked.size(), 2u);
    EXPECT_EQ(presenter.asked[1].message, T("PolicyManaged"));
    EXPECT_FALSE(service.IsDialogShown());

    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Policies\\Pellix");
    policy::RefreshPolicies();
    EXPECT_EQ(service.RunCalibration(), 1);
    EXPECT_EQ(progressRuns, 1);
}
