#pragma once
// What the power monitor needs of the main window: whether the delayed
// start-up restore is still pending (and its level), and the graphics-card
// button and gear dial it keeps up to date. The main window plugs itself
// in; without a host nothing is pending and nothing is shown.

class CpuPowerMonitorHost {
public:
    // True while the start-up restore timer runs; `level` is the level it
    // will restore.
    virtual bool IsRestorePending(int& level) = 0;
    virtual void EnableVgaButton(bool enable) = 0;
    virtual void RedrawGearDial() = 0;

protected:
    ~CpuPowerMonitorHost() = default;
};
