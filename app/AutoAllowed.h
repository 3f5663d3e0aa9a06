#pragma once
// Auto may be chosen once calibration has stored valid thresholds, no new
// calibration is due and the firmware offers Auto.
bool IsAutoAllowed();
