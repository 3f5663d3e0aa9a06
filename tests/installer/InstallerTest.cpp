// Pellix Setup end to end in the test prefix, in the order a user meets it:
// a clean silent install, the log-on start, upgrades over a running copy
// (one with a file in use), failed runs, uninstall and a second install.
// The cases build on each other's installation and run in this order.

#include "InstalledFiles.h"
#include "SetupRun.h"
#include "kelp/System/WinRegistry.h"
#include "tests/app/ChildProcess.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <iterator>
#include <vector>

namespace {

const std::string g_boardState = boardtest::UseOwnBoardState("installer");
// Wine starts its desktop process for the first program that asks for the
// desktop; started here it belongs to the test, not to a Setup run that
// would otherwise seem never to end.
const HWND g_desktop = GetDesktopWindow();

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pellix";
constexpr const char* kRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* kPendingValue = "Pellix Install";
constexpr const char* kSettingsKey = "Software\\VANTOR\\Tamsel3";
constexpr const char* kAdvanceKey = "Software\\VANTOR\\Tamsel3\\Advance";
constexpr const char* kMainboardAccountKey = "Software\\VANTOR\\Tamsel3\\Ordun\\MB";
constexpr DWORD kStartTimeoutMs = 30000;

// The libraries Pellix loads or imports; the virtual board supplies them all.
const char* const kBoardLibraries[] = {"VTACPI.DLL", "VANTORSERVICE.DLL", "Tamsel.dll",
                                       "VtIo.dll",   "Dozla.dll",         "mutevol.dll",
                                       "VtSpindownTimeout.dll", "Strainel.dll", "pixary.dll"};

std::string Environment(const char* name)
{
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string InstalledFolder() { return Environment("ProgramFiles") + "\\Pellix\\"; }
std::string InstalledProgram() { return InstalledFolder() + "Pellix.exe"; }

std::string ShortcutPath()
{
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\Pellix.lnk";
}

// Where the Task Scheduler keeps registered task definitions.
std::string RegisteredTaskPath()
{
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\Tasks\\Pellix";
}

bool ReadString(HKEY root, const char* subKey, const char* name, std::string& text)
{
    kelp::RegistryKeyReader key;
    return key.Open(root, subKey) && key.ReadString(name, text);
}

bool ReadDword(HKEY root, const char* subKey, const char* name, DWORD& value)
{
    kelp::RegistryKeyReader key;
    return key.Open(root, subKey) && key.ReadDword(name, value);
}

bool KeyExists(HKEY root, const char* subKey)
{
    kelp::RegistryKeyReader key;
    return key.Open(root, subKey);
}

bool InstallPending()
{
    std::string command;
    return ReadString(HKEY_LOCAL_MACHINE, kRunOnceKey, kPendingValue, command);
}

// The system's search path, as the installer keeps it.
std::string SystemPath()
{
    std::string path;
    ReadString(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", "Path",
               path);
    return path;
}

// The install folder as one entry of the search path.
bool InstallFolderOnPath()
{
    std::string folder = InstalledFolder();
    folder.pop_back();
    const std::string path = ";" + SystemPath() + ";";
    return path.find(";" + folder + ";") != std::string::npos;
}

// The files the build laid out as an installation, relative to it: the
// program, its language files and artwork, and the virtual board. The
// repository's own dot files that the build copies along are not shipped.
std::vector<std::string> ExpectedFiles()
{
    std::vector<std::string> files{"Pellix.exe", "pellixctl.exe"};
    files.insert(files.end(), std::begin(kBoardLibraries), std::end(kBoardLibraries));
    for (const char* folder : {"LangFiles\\", "Resource\\", "Skin\\", "BoardProfiles\\", "PolicyDefinitions\\"})
        for (const std::string& file : FilesUnder(boardtest::RuntimeFolder() + folder)) {
            const size_t name = file.find_last_of('\\') + 1; // 0 without a sub-folder
            if (file[name] != '.')
                files.push_back(folder + file);
        }
    return files;
}

// Every installed file equals the one the build made.
void ExpectInstalledAsBuilt()
{
    for (const std::string& file : ExpectedFiles()) {
        const std::string installed = ReadBytes(InstalledFolder() + file);
        EXPECT_FALSE(installed.empty()) << file << " missing";
        EXPECT_TRUE(installed == ReadBytes(boardtest::RuntimeFolder() + file)) << file << " differs from the build";
    }
}

std::string FileVersion(const std::string& path)
{
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    if (data.empty() || !GetFileVersionInfoA(path.c_str(), 0, DWORD(data.size()), data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &size))
        return {};
    return std::to_string(HIWORD(info->dwProductVersionMS)) + "." + std::to_string(LOWORD(info->dwProductVersionMS)) +
           "." + std::to_string(HIWORD(info->dwProductVersionLS)) + "." +
           std::to_string(LOWORD(info->dwProductVersionLS));
}

// Pellix started the way the log-on task starts it.
class LogonStartedPellix {
public:
    LogonStartedPellix() : m_process("-b", InstalledProgram()), m_window(m_process.WaitForWindow("TMainForm", kStartTimeoutMs))
    {
    }
    PellixProcess& Process() { return m_process; }
    HWND Window() const { return m_window; }

private:
    PellixProcess m_process;
    HWND m_window;
};

// Writes a file into the installation folder, replacing what is there.
void WriteInstalled(const std::string& relative, const std::string& text)
{
    HANDLE file = CreateFileA((InstalledFolder() + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << relative;
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

// Spoils a file of the installation so that an upgrade has to put the
// built one back.
void Spoil(const std::string& relative) { WriteInstalled(relative, "stale"); }

} // namespace

TEST(Installer, CleanSilentInstallPutsEverythingInPlace)
{
    ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << "the prefix already has Pellix installed";
    ASSERT_EQ(RunSetup("/S /BOARD"), kSetupDone) << SetupLog();
    EXPECT_NE(SetupLog().find("is installed in"), std::string::npos) << SetupLog();

    ExpectInstalledAsBuilt();
    // The administrative templates, laid out as the central store wants them.
    for (const char* file : {"Pellix.admx", "en-US\\Pellix.adml", "de-DE\\Pellix.adml", "fr-FR\\Pellix.adml",
                             "ja-JP\\Pellix.adml"})
        EXPECT_TRUE(FileExists(InstalledFolder() + "PolicyDefinitions\\" + file)) << file;
    EXPECT_TRUE(FileExists(InstalledFolder() + "Uninstall.exe"));
    EXPECT_TRUE(FileExists(ShortcutPath()));
    EXPECT_FALSE(FolderExists(InstalledFolder() + "~update")) << "staged files left behind";
    EXPECT_FALSE(InstallPending()) << "a clean install must not block the program's start";
    EXPECT_TRUE(InstallFolderOnPath()) << SystemPath();

    std::string text;
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName", text) && text == "Pellix");
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher", text) && text == "VANTOR");
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion", text) &&
                text == FileVersion(InstalledProgram()))
        << text;
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", text) &&
                text == "\"" + InstalledFolder() + "Uninstall.exe\"")
        << text;
    DWORD sizeKb = 0;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize", sizeKb));
    const double actualKb = double(BytesUnder(InstalledFolder())) / 1024;
    EXPECT_NEAR(double(sizeKb), actualKb, actualKb / 50 + 4);
}

TEST(Installer, LogonTaskStartsTheInstalledProgramElevatedAtLogon)
{
    const std::string task = ReadUtf16File(InstalledFolder() + "LogonTask.xml");
    ASSERT_FALSE(task.empty());
    EXPECT_EQ(ElementText(task, "Command"), InstalledProgram());
    EXPECT_EQ(ElementText(task, "Arguments"), "-b");
    EXPECT_NE(ElementText(ElementText(task, "Triggers"), "LogonTrigger").find("<Enabled>true</Enabled>"),
              std::string::npos);
    EXPECT_EQ(ElementText(ElementText(task, "Principals"), "RunLevel"), "HighestAvailable");
    EXPECT_EQ(ElementText(task, "ExecutionTimeLimit"), "PT0S") << "a tray program must not be stopped after 72 hours";
    EXPECT_EQ(ElementText(task, "DisallowStartIfOnBatteries"), "false");

    // The scheduler parsed and stored the definition: its description is in
    // the registered copy, which Wine keeps as UTF-8. Wine keeps only part of
    // a definition and runs no log-on triggers, so the start is done by hand.
    const std::string registered = ReadBytes(RegisteredTaskPath());
    EXPECT_NE(registered.find(ElementText(task, "Description")), std::string::npos) << "task not registered";

    PellixProcess pellix(ElementText(task, "Arguments"), ElementText(task, "Command"));
    const HWND window = pellix.WaitForWindow("TMainForm", kStartTimeoutMs);
    ASSERT_NE(window, nullptr) << "no main window";
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Pellix");
    EXPECT_FALSE(IsWindowVisible(window)) << "a log-on start stays in the tray";
}

TEST(Installer, UpgradeEndsTheRunningCopyAndReplacesItsFiles)
{
    LogonStartedPellix pellix;
    ASSERT_NE(pellix.Window(), nullptr);
    ASSERT_NO_FATAL_FAILURE(Spoil("LangFiles\\English\\English.ini"));
    ASSERT_NO_FATAL_FAILURE(Spoil("Resource\\0.ico"));

    ASSERT_EQ(RunSetup("/S"), kSetupDone) << SetupLog();
    EXPECT_TRUE(pellix.Process().WaitForExit(0)) << "the old copy still runs";
    EXPECT_EQ(pellix.Process().ExitCode(), 0u) << "the old copy was not asked to exit";
    // The virtual board stays although this run did not ask for it.
    ExpectInstalledAsBuilt();
    EXPECT_FALSE(InstallPending());
    EXPECT_FALSE(FolderExists(InstalledFolder() + "~update"));
}

TEST(Installer, FileInUseIsReplacedAtTheNextRestart)
{
    const std::string locked = InstalledFolder() + "Resource\\1.ico";
    ASSERT_NO_FATAL_FAILURE(Spoil("Resource\\1.ico"));
    // Open without delete sharing, as a program that has it loaded would.
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    const DWORD exitCode = RunSetup("/S");
    CloseHandle(holder);
    ASSERT_EQ(exitCode, kSetupRestartNeeded) << SetupLog();
    EXPECT_NE(SetupLog().find("Restart Windows"), std::string::npos) << SetupLog();
    std::string finish;
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kRunOnceKey, kPendingValue, finish));
    EXPECT_EQ(finish, "\"" + InstalledFolder() + "Uninstall.exe\" /FINISH");
    EXPECT_EQ(ReadBytes(locked), "stale") << "replaced although in use";

    // A restart moves the file into place and runs the finishing command.
    ASSERT_EQ(RunAndWait("wineboot.exe -r"), 0u);
    EXPECT_TRUE(Eventually([] { return !FolderExists(InstalledFolder() + "~update"); }, 30000));
    EXPECT_FALSE(InstallPending());
    ExpectInstalledAsBuilt();
}

// A run that fails must say why and leave the installation, and the copy of
// Pellix running from it, as they were.
class FailedSetup : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_pellix.Window(), nullptr);
        ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation", m_location));
    }
    void TearDown() override
    {
        EXPECT_TRUE(m_pellix.Process().Running()) << "the running copy was stopped";
        std::string location;
        EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation", location));
        EXPECT_EQ(location, m_location);
        ExpectInstalledAsBuilt();
    }
    // A folder of the drive named by the environment, or empty.
    static std::string Target(const char* variable)
    {
        const std::string drive = Environment(variable);
        return drive.empty() ? drive : drive + "\\Pellix";
    }

    LogonStartedPellix m_pellix;
    std::string m_location;
};

TEST_F(FailedSetup, WithoutAdministratorRights)
{
    EXPECT_EQ(RunSetupWithoutAdminRights("/S"), kSetupNoRights);
    EXPECT_NE(SetupLog().find("needs administrator rights"), std::string::npos) << SetupLog();
}

TEST_F(FailedSetup, IntoReadOnlyFolder)
{
    const std::string target = Target("PELLIX_READONLY_FOLDER");
    if (target.empty())
        GTEST_SKIP() << "no read-only drive (mounting needs root)";
    EXPECT_EQ(RunSetup("/S /D=" + target), kSetupNotWritable);
    EXPECT_NE(SetupLog().find("cannot write to the folder " + target), std::string::npos) << SetupLog();
}

TEST_F(FailedSetup, OnFullDisk)
{
    const std::string target = Target("PELLIX_FULL_FOLDER");
    if (target.empty())
        GTEST_SKIP() << "no small drive (mounting needs root)";
    EXPECT_EQ(RunSetup("/S /BOARD /D=" + target), kSetupNoSpace);
    EXPECT_NE(SetupLog().find("not enough free disk space"), std::string::npos) << SetupLog();
    EXPECT_FALSE(FolderExists(target)) << "the failed run left its folder behind";
}

// NSIS on its own would install into the default folder instead.
TEST_F(FailedSetup, IntoFolderThatCannotBeMade)
{
    const std::string target = InstalledProgram() + "\\Pellix"; // below a file
    EXPECT_EQ(RunSetup("/S /D=" + target), kSetupNotWritable);
    EXPECT_NE(SetupLog().find("cannot write to the folder " + target), std::string::npos) << SetupLog();
}

TEST(Uninstall, RemovesEverythingButTheSettings)
{
    kelp::RegistryKey settings;
    ASSERT_TRUE(settings.Open(HKEY_LOCAL_MACHINE, kAdvanceKey, true) && settings.WriteDword("BalloonToolDisabled", 1));
    settings.Close();
    const double saving = 42.5;
    ASSERT_TRUE(settings.Open(HKEY_LOCAL_MACHINE, kMainboardAccountKey, true) &&
                settings.WriteBinary("TotalSaving", &saving, sizeof saving));
    settings.Close();
    ASSERT_TRUE(settings.Open(HKEY_CURRENT_USER, kAdvanceKey, true) && settings.WriteDword("CalibrationNeeded", 1));
    settings.Close();

    LogonStartedPellix pellix;
    ASSERT_NE(pellix.Window(), nullptr);
    ASSERT_TRUE(InstallFolderOnPath());
    RunAndWait("\"" + InstalledFolder() + "Uninstall.exe\" /S");

    EXPECT_TRUE(pellix.Process().WaitForExit(0)) << "Pellix still runs";
    EXPECT_FALSE(InstallFolderOnPath()) << SystemPath();
    EXPECT_FALSE(SystemPath().empty()) << "the rest of the path stays";
    EXPECT_FALSE(FolderExists(InstalledFolder())) << FilesUnder(InstalledFolder()).size() << " files left";
    EXPECT_FALSE(FileExists(ShortcutPath()));
    EXPECT_FALSE(FileExists(RegisteredTaskPath()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(InstallPending());

    DWORD value = 0;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kAdvanceKey, "BalloonToolDisabled", value) && value == 1);
    EXPECT_TRUE(ReadDword(HKEY_CURRENT_USER, kAdvanceKey, "CalibrationNeeded", value) && value == 1);
}

TEST(Uninstall, SecondInstallFindsTheSettingsAndAccounts)
{
    ASSERT_EQ(RunSetup("/S /BOARD"), kSetupDone) << SetupLog();
    ExpectInstalledAsBuilt();
    DWORD value = 0;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kAdvanceKey, "BalloonToolDisabled", value) && value == 1);
    double saving = 0;
    DWORD size = sizeof saving;
    kelp::RegistryKeyReader account;
    EXPECT_TRUE(account.Open(HKEY_LOCAL_MACHINE, kMainboardAccountKey) &&
                account.ReadBinary("TotalSaving", &saving, size));
    EXPECT_EQ(saving, 42.5);
}

TEST(Uninstall, RemoveSettingsSwitchClearsThemToo)
{
    RunAndWait("\"" + InstalledFolder() + "Uninstall.exe\" /S /REMOVESETTINGS");
    EXPECT_FALSE(FolderExists(InstalledFolder()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
}

// Without the virtual board, libraries of its names beside Pellix are the
// real board's (its driver package put them there) and are not Pellix's to
// replace or remove.
TEST(Uninstall, RealBoardLibrariesBesidePellixAreLeftAlone)
{
    ASSERT_EQ(RunSetup("/S"), kSetupDone) << SetupLog();
    const std::string vendorLibrary = InstalledFolder() + kBoardLibraries[0];
    EXPECT_FALSE(FileExists(vendorLibrary)) << "virtual board installed unasked";
    ASSERT_NO_FATAL_FAILURE(WriteInstalled(kBoardLibraries[0], "vendor"));

    EXPECT_EQ(RunSetup("/S"), kSetupDone) << SetupLog();
    EXPECT_EQ(ReadBytes(vendorLibrary), "vendor") << "upgrade touched the board's library";
    RunAndWait("\"" + InstalledFolder() + "Uninstall.exe\" /S /REMOVESETTINGS");
    EXPECT_FALSE(FileExists(InstalledProgram()));
    EXPECT_EQ(ReadBytes(vendorLibrary), "vendor") << "uninstall removed the board's library";

    DeleteFileA(vendorLibrary.c_str());
    RemoveDirectoryA(InstalledFolder().c_str());
}
