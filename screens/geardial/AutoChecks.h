#pragma once
// The checks a choice of Auto must pass, in order: the firmware offers
// Auto, tuning is enabled or the user goes on anyway, and a calibration has
// stored valid thresholds that are still current. The dial puts its
// questions to the user; a caller without a user answers them itself.

namespace geardial {

// What the firmware and the settings say about Auto.
class AutoFacts {
public:
    virtual ~AutoFacts() = default;
    virtual bool IsAutoAllowedByBios() = 0;
    virtual bool IsTweakDisabled() = 0;
    virtual bool IsCalibrationNeeded() = 0;
    virtual bool HasValidThresholds() = 0;
};

// Where a check would stop, and what may clear it.
class AutoQuestions {
public:
    enum class Calibration { AfterSettingChanged, BeforeSetting };
    virtual ~AutoQuestions() = default;
    // The firmware refuses Auto; nothing can change that now.
    virtual void Unsupported() = 0;
    // True to go on although tuning is disabled.
    virtual bool ConfirmTweak() = 0;
    // True when a calibration was run and completed.
    virtual bool Calibrate(Calibration reason) = 0;
};

enum class AutoObstacle { None, Unsupported, TweakUnconfirmed, CalibrationNeeded };

AutoObstacle CheckAuto(AutoFacts& facts, AutoQuestions& questions);

} // namespace geardial
