#pragma once
// Start-up comparison of the saved calibration profile with the current
// overclocking settings. The calibrator plugs it in; it reports true when
// the profile loads and differs from the current settings. Without a check
// nothing counts as a mismatch.

using CalibrationProfileCheck = bool (*)();
void PlugCalibrationProfileCheck(CalibrationProfileCheck check);
bool CalibrationProfileMismatches();
