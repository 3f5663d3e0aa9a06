#pragma once
// The calibration profile "cal.oc": the overclocking settings in force when
// the last calibration ended. Settings that differ from it at start-up mean
// the thresholds no longer fit the machine.

// Saves the current overclocking settings; false when the file cannot be
// written.
bool SaveCalibrationProfile();
// True when the profile loads and some setting now differs from it. The
// start-up check of the settings store takes this (PlugCalibrationProfileCheck).
bool CalibrationProfileDiffers();
