// The running program as a screen reader sees it, from another process:
// the main window's mode buttons by their names in the user's language,
// the chosen one, and a mode chosen through a default action as a click
// would choose it.

#include "tests/board/support/BoardTestSupport.h"
#include "tests/mainwin/AccessibleClient.h"
#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <regex>

using namespace programtest;
using accclient::Accessible;

namespace {

using ModeNames = std::array<std::wstring, 5>;

// How the CO2 readout reads: the figure as shown, its unit, the period's start.
const std::wregex kEnglishCo2(LR"(\d+\.\d{3} mg CO2 since \d{4}/\d\d/\d\d \d\d:\d\d)");
const std::wregex kGermanCo2(LR"(\d+\.\d{3} mg CO2 seit \d{4}/\d\d/\d\d \d\d:\d\d)");

const ModeNames kEnglish{L"Auto", L"Turbo Mode", L"High Performance Mode", L"Medium Power Saving Mode",
                         L"Max. Power Saving Mode"};
const ModeNames kGerman{L"Auto", L"Turbo-Modus", L"Hochleistungsmodus", L"Mittlerer Energiesparmodus",
                        L"Max. Energiesparmodus"};

// A copy of the program's folder whose language map sends the system's
// language to another language file.
class InstallationInLanguage {
public:
    explicit InstallationInLanguage(const char* language)
    {
        namespace fs = std::filesystem;
        folder_ = fs::temp_directory_path() / (std::string("access-") + language);
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        for (const fs::directory_entry& entry : fs::directory_iterator(boardtest::RuntimeFolder())) {
            const std::string name = entry.path().filename().string();
            if (entry.is_directory())
                fs::copy(entry.path(), folder_ / name, fs::copy_options::recursive);
            else if (entry.path().extension() != ".exe" || name == "Pellix.exe")
                fs::copy_file(entry.path(), folder_ / name);
        }
        const LANGID system = GetSystemDefaultLangID();
        char primary[8], full[8];
        wsprintfA(primary, "%02X", PRIMARYLANGID(system));
        wsprintfA(full, "%04X", system);
        std::ofstream(folder_ / "LangFiles" / "VtMultiLang.ini", std::ios::trunc)
            << "[Languages]\r\n" << full << "=" << language << "\r\n" << primary << "=" << language << "\r\n";
    }
    ~InstallationInLanguage()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string Program() const { return (folder_ / "Pellix.exe").string(); }

private:
    std::filesystem::path folder_;
};

// The mode buttons in dial order, found by role and name.
std::array<Accessible, 5> ModeButtons(const Accessible& window, const ModeNames& names)
{
    std::array<Accessible, 5> buttons;
    for (size_t i = 0; i < names.size(); ++i)
        buttons[i] = accclient::Find(window, ROLE_SYSTEM_RADIOBUTTON, names[i]);
    return buttons;
}

// Whether the process has the library loaded, by its file name.
bool HasLoaded(DWORD process, std::string library)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    std::transform(library.begin(), library.end(), library.begin(), ::tolower);
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32First(snapshot, &module); more && !found; more = Module32Next(snapshot, &module)) {
        std::string name = module.szModule;
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        found = name == library;
    }
    CloseHandle(snapshot);
    return found;
}

bool Checked(const Accessible& node)
{
    return node.State() != -1 && (node.State() & STATE_SYSTEM_CHECKED) != 0;
}

void ChooseTurboByItsDefaultAction(const std::string& program, const ModeNames& names, const std::wregex& co2)
{
    accclient::Apartment apartment;
    ResetProgramRegistry();
    Program pellix("", program);
    ASSERT_TRUE(pellix.Started());
    ASSERT_TRUE(WaitForLevel(0));
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(pellix.Window()) != 0; }, 10000));
    // Until a client asks, the program pays nothing for being accessible
    // (the shell's library brings the COM libraries along anyway).
    for (const char* library : {"oleacc.dll", "comdlg32.dll"})
        EXPECT_FALSE(HasLoaded(pellix.Process().Id(), library)) << library << " loaded before any client asked";

    const Accessible window = accclient::FromWindow(pellix.Window());
    ASSERT_TRUE(window) << "the window answers no accessible object";
    EXPECT_TRUE(HasLoaded(pellix.Process().Id(), "oleacc.dll")) << "the module check sees no library at all";
    EXPECT_EQ(window.Role(), ROLE_SYSTEM_CLIENT);
    const auto buttons = ModeButtons(window, names);
    for (size_t i = 0; i < buttons.size(); ++i) {
        ASSERT_TRUE(buttons[i]) << "no mode button named as mode " << i;
        const RECT place = buttons[i].Location();
        EXPECT_GT(place.right - place.left, 0) << "mode " << i << " has a place on the screen";
        EXPECT_FALSE(buttons[i].DefaultAction().empty()) << "mode " << i;
    }
    EXPECT_TRUE(Eventually([&] { return Checked(buttons[2]); }, 5000)) << "High Performance is the running mode";
    std::vector<std::wstring> readings;
    for (const Accessible& node : accclient::Descendants(window))
        if (node.Role() == ROLE_SYSTEM_STATICTEXT && std::regex_match(node.Value(), co2))
            readings.push_back(node.Name());
    EXPECT_EQ(readings.size(), 1u) << "the CO2 readout reads as text in the language's words";
    for (size_t i : {0u, 1u, 3u, 4u})
        EXPECT_FALSE(Checked(buttons[i])) << "mode " << i;

    ASSERT_EQ(buttons[1].DoDefaultAction(), S_OK);
    EXPECT_TRUE(WaitForLevel(0x4000)) << "the board follows the default action";
    EXPECT_TRUE(Eventually([] { return ReadDword(kRootKey, "LastMode") == DWORD(0x4000); }, kModeChangeMs));
    EXPECT_TRUE(Eventually([&] { return Checked(buttons[1]) && !Checked(buttons[2]); }, 5000))
        << "Turbo reads as chosen";
}

} // namespace

TEST(AccessibleMainWindow, ModeButtonsByTheirEnglishNamesChooseTurboAsAClickDoes)
{
    ChooseTurboByItsDefaultAction({}, kEnglish, kEnglishCo2);
}

TEST(AccessibleMainWindow, ModeButtonsCarryTheGermanNamesInGerman)
{
    InstallationInLanguage german("German");
    ChooseTurboByItsDefaultAction(german.Program(), kGerman, kGermanCo2);
}

TEST(AccessibleMainWindow, AutoFirstAsksAndTheQuestionNamesItsDefaultAnswerAndTakesTheOtherByItsAction)
{
    accclient::Apartment apartment;
    ResetProgramRegistry();
    Program pellix("");
    ASSERT_TRUE(pellix.Started());
    ASSERT_TRUE(WaitForLevel(0));
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(pellix.Window()) != 0; }, 10000));
    const auto buttons = ModeButtons(accclient::FromWindow(pellix.Window()), kEnglish);
    ASSERT_TRUE(buttons[0]);

    // Without thresholds Auto offers the calibration first.
    ASSERT_EQ(buttons[0].DoDefaultAction(), S_OK);
    const HWND dialog = FindDialog(pellix.Process(), 10000);
    ASSERT_NE(dialog, nullptr);
    const auto widen = [](const std::string& text) {
        std::wstring wide(text.size(), L'\0');
        wide.resize(MultiByteToWideChar(1252, 0, text.data(), int(text.size()), wide.data(), int(wide.size())));
        return wide;
    };
    const Accessible question = accclient::FromWindow(dialog);
    ASSERT_TRUE(question);
    std::vector<std::wstring> defaults;
    for (const Accessible& node : accclient::Descendants(question))
        if (node.Role() == ROLE_SYSTEM_PUSHBUTTON && (node.State() & STATE_SYSTEM_DEFAULT))
            defaults.push_back(node.Name());
    EXPECT_EQ(defaults, std::vector<std::wstring>{widen(ButtonText(dialog, 1))}) << "the left answer is the default";

    const Accessible right = accclient::Find(question, ROLE_SYSTEM_PUSHBUTTON, widen(ButtonText(dialog, 2)));
    ASSERT_TRUE(right);
    ASSERT_EQ(right.DoDefaultAction(), S_OK);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(dialog) == 0; }, 5000)) << "the question is answered";
    EXPECT_TRUE(Eventually([&] { return Checked(buttons[2]) && !Checked(buttons[0]); }, 5000))
        << "the refusal keeps the running mode";
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u);
}

TEST(AccessibleMainWindow, AdvancedSettingsOpenByTheirButtonsDefaultActionAndTheirListsReadTheirEntries)
{
    accclient::Apartment apartment;
    ResetProgramRegistry();
    Program pellix("");
    ASSERT_TRUE(pellix.Started());
    ASSERT_TRUE(WaitForLevel(0));
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(pellix.Window()) != 0; }, 10000));
    const Accessible settingsButton =
        accclient::Find(accclient::FromWindow(pellix.Window()), ROLE_SYSTEM_PUSHBUTTON, L"Advanced Settings");
    ASSERT_TRUE(settingsButton);
    ASSERT_EQ(settingsButton.DoDefaultAction(), S_OK);

    const HWND form = pellix.Process().WaitForWindow("TAdvancedSetting", 10000);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(form) != 0; }, 10000));
    const Accessible settings = accclient::FromWindow(form);
    ASSERT_TRUE(settings);
    const Accessible fan = accclient::Find(settings, ROLE_SYSTEM_COMBOBOX, L"Fan Control");
    ASSERT_TRUE(fan) << "the fan row reads as a combo box named by its title";
    EXPECT_FALSE(fan.Value().empty()) << "its value is the chosen entry";
    Accessible available;
    for (const Accessible& node : accclient::Descendants(settings))
        if (node.Role() == ROLE_SYSTEM_COMBOBOX && !(node.State() & STATE_SYSTEM_UNAVAILABLE))
            available = node;
    ASSERT_TRUE(available) << "some list can be opened";
    EXPECT_TRUE(available.State() & STATE_SYSTEM_COLLAPSED);
    ASSERT_EQ(available.DoDefaultAction(), S_OK);
    EXPECT_TRUE(Eventually([&] { return (available.State() & STATE_SYSTEM_EXPANDED) != 0; }, 5000)) << "the list opens";

    const Accessible cpu = accclient::Find(settings, ROLE_SYSTEM_SLIDER, L"CPU Frequency");
    ASSERT_TRUE(cpu) << "the frequency reads as a slider named by its title";
    EXPECT_FALSE(cpu.Value().empty()) << "valued by the text on its thumb";
    const RECT rail = cpu.Location();
    EXPECT_GT(rail.right - rail.left, 300) << "placed over the rail";
    std::vector<std::wstring> tabs, selected;
    for (const Accessible& node : accclient::Descendants(settings))
        if (node.Role() == ROLE_SYSTEM_PAGETAB) {
            tabs.push_back(node.Name());
            if (node.State() & STATE_SYSTEM_SELECTED)
                selected.push_back(node.Name());
        }
    EXPECT_EQ(tabs, (std::vector<std::wstring>{kEnglish[1], kEnglish[2], kEnglish[3], kEnglish[4]}));
    EXPECT_EQ(selected, std::vector<std::wstring>{kEnglish[2]}) << "the running mode's tab is open";

    const Accessible cancel = accclient::Find(settings, ROLE_SYSTEM_PUSHBUTTON, L"Cancel");
    ASSERT_TRUE(cancel);
    ASSERT_EQ(cancel.DoDefaultAction(), S_OK);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(form) == 0; }, 5000));
}

TEST(AccessibleMainWindow, TheCalibrationsProgressReadsAsAProgressBarByItsPercentage)
{
    accclient::Apartment apartment;
    ResetProgramRegistry();
    Program pellix("");
    ASSERT_TRUE(pellix.Started());
    ASSERT_TRUE(WaitForLevel(0));
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(pellix.Window()) != 0; }, 10000));
    const auto buttons = ModeButtons(accclient::FromWindow(pellix.Window()), kEnglish);
    ASSERT_TRUE(buttons[0]);
    // Without thresholds Auto offers the calibration; its default answer
    // starts it.
    ASSERT_EQ(buttons[0].DoDefaultAction(), S_OK);
    const HWND question = FindDialog(pellix.Process(), 10000);
    ASSERT_NE(question, nullptr);
    Accessible start;
    for (const Accessible& node : accclient::Descendants(accclient::FromWindow(question)))
        if (node.Role() == ROLE_SYSTEM_PUSHBUTTON && (node.State() & STATE_SYSTEM_DEFAULT))
            start = node;
    ASSERT_TRUE(start);
    ASSERT_EQ(start.DoDefaultAction(), S_OK);

    const HWND progress = pellix.Process().WaitForWindow("TProgressDialog", 10000);
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(progress) != 0; }, 10000));
    const Accessible form = accclient::FromWindow(progress);
    Accessible bar;
    for (const Accessible& node : accclient::Descendants(form))
        if (node.Role() == ROLE_SYSTEM_PROGRESSBAR)
            bar = node;
    ASSERT_TRUE(bar) << "the bar reads as a progress bar";
    const std::wregex percent(LR"((\d+)%)");
    EXPECT_TRUE(Eventually([&] {
        std::wsmatch match;
        const std::wstring value = bar.Value();
        return std::regex_match(value, match, percent) && std::stoi(match[1]) > 0;
    }, 10000)) << "valued by the percentage reached";

    const Accessible cancel = accclient::Find(form, ROLE_SYSTEM_PUSHBUTTON, L"Cancel");
    ASSERT_TRUE(cancel);
    ASSERT_EQ(cancel.DoDefaultAction(), S_OK);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(progress) == 0; }, 10000)) << "Cancel ends the calibration";
}
