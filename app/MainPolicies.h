#pragma once
// The main window's part in the organisation's policies: it re-reads them
// when the system says policy refreshed, puts a forced mode in force (at
// start, after a refresh, in place of the delayed start-up restore's last
// mode) and shows the controls the policies manage.

#include "app/PolicyWatch.h"
#include "policy/Policies.h"

class MainSkin;
class StartupRestore;

class MainPolicies final : public policy::PolicyListener {
public:
    MainPolicies(MainSkin& skin, StartupRestore& restore);
    ~MainPolicies() override;
    MainPolicies(const MainPolicies&) = delete;
    MainPolicies& operator=(const MainPolicies&) = delete;

    // After the start-up restore has run: the forced mode and the managed
    // controls.
    void StartUp();
    // Registers for the system's policy events, from the first energy
    // sample on: the start itself loads no library for them (a refresh
    // broadcast is heard from the start).
    void WatchRefreshes() { watch_.Start(); }
    // Again once the window's texts are loaded (they bring the own hints).
    void ShowManaged();
    // WM_SETTINGCHANGE; true when it named policy.
    bool OnSettingChange(LPARAM lParam) { return watch_.OnSettingChange(lParam); }

    void PoliciesChanged(const policy::PolicySet& now) override;

private:
    void ApplyForcedMode();

    MainSkin& skin_;
    StartupRestore& restore_;
    PolicyWatch watch_;
};
