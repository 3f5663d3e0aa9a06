#pragma once
// What the calibration bracket needs of the main window: its energy timer
// is stopped for the length of a run. The main window plugs itself in;
// without a host there is no timer to stop.

class CalibrationHost {
public:
    virtual void StopEnergySavingTimer() = 0;
    virtual void StartEnergySavingTimer() = 0;

protected:
    ~CalibrationHost() = default;
};

// The plugged host must outlive its use (or be unplugged with nullptr).
void PlugCalibrationHost(CalibrationHost* host);
