#include "app/StartupChecks.h"

#include "hw/GraphicsBoost.h"
#include "kelp/System/WinRegistry.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"
#include "policy/Policies.h"

#include <string>
#include <windows.h>

namespace {

constexpr const char* kTamselKey = "Software\\VANTOR\\Tamsel3";
constexpr const char* kAdvanceKey = "Software\\VANTOR\\Tamsel3\\Advance";
constexpr const char* kInstallRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\";
constexpr const char* kRebootRunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

struct WindowIdentity {
    const char* windowClass;
    const char* caption;
};

// Utilities of the older suite that drive the same hardware.
constexpr WindowIdentity kSuitePrograms[] = {
    {"TfrmMain", "Brosk"},
    {"TfrmMain", "VANTOR Ventry"},
    {"TMainForm", "Nitrel"},
    {"TfrmMain", "Stepra"},
};

// Interface versions from 3 on coordinate with the other utilities themselves.
bool IsLegacyInterface()
{
    return (kelp::GetInterfaceVersion() >> 24) < 3;
}

HWND SplintWindow()
{
    HWND window = FindWindowA("TApplication", "Splint");
    return window ? window : FindWindowA("TApplication", "Splint EVO");
}

bool HasStringValue(const char* subKey, const char* name)
{
    kelp::RegistryKeyReader key;
    std::string text;
    return key.Open(HKEY_LOCAL_MACHINE, subKey) && key.ReadString(name, text);
}

} // namespace

bool IsSuiteRunning()
{
    if (!IsLegacyInterface())
        return false;
    for (const WindowIdentity& program : kSuitePrograms)
        if (FindWindowA(program.windowClass, program.caption))
            return true;
    return false;
}

bool IsSplintRunning()
{
    return SplintWindow() != nullptr;
}

bool IsSplintVisible()
{
    if (!IsLegacyInterface())
        return false;
    HWND window = SplintWindow();
    return window && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
}

bool IsBiosOverclocked()
{
    kelp::InitInterface();
    uint32_t state = 0;
    return kelp::GetItem(kelp::BiosItemId::kOverclockState, state) && state != 1 && state != 2;
}

namespace {
bool gruvoNoticeShown = false;
}

bool IsGruvoMissing()
{
    if (gruvoNoticeShown)
        return false;
    const kelp::GraphicsBoost& boost = kelp::GraphicsBoost::Instance();
    // The boost items are there, yet the boost is unavailable: no driver.
    return boost.ItemsSeen() && !boost.IsAvailable();
}

void MarkGruvoNoticeShown()
{
    gruvoNoticeShown = true;
}

bool CheckFirstRun()
{
    kelp::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kTamselKey, true))
        return false;
    DWORD notFirstTime = 0;
    if (key.ReadDword("NotFirstTime", notFirstTime) && notFirstTime == 1)
        return false;
    key.WriteDword("NotFirstTime", 1);
    return true;
}

bool IsXtuConflict()
{
    kelp::InitInterface();
    if (!kelp::IsItemSupported(kelp::BiosItemId::kExtremeTuningCapability) || !kelp::IsItemSupported(kelp::BiosItemId::kExtremeTuningState))
        return false;
    uint32_t capability = 0;
    uint32_t state = 0;
    return kelp::GetItem(kelp::BiosItemId::kExtremeTuningCapability, capability) &&
           kelp::GetItem(kelp::BiosItemId::kExtremeTuningState, state) && (capability & kelp::BiosItemId::kExtremeTuningBit) &&
           (state & kelp::BiosItemId::kExtremeTuningBit);
}

bool IsInstallPending()
{
    return HasStringValue(kInstallRunOnceKey, "Pellix Install");
}

bool IsRebootPending()
{
    return HasStringValue(kRebootRunOnceKey, "MBAP_REBOOT");
}

bool IsRunAtStartupAllowed()
{
    // A policy forcing the start at log-on on or off decides alone.
    if (const std::optional<bool> forced = policy::CurrentPolicies().runAtLogOn)
        return *forced;
    kelp::RegistryKeyReader key;
    DWORD runAtStartup = 0;
    return !(key.Open(HKEY_LOCAL_MACHINE, kAdvanceKey) && key.ReadDword("RunAtSystemStartup", runAtStartup) &&
             runAtStartup == 1);
}
