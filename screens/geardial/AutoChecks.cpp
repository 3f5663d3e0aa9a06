#include "screens/geardial/AutoChecks.h"

namespace geardial {

AutoObstacle CheckAuto(AutoFacts& facts, AutoQuestions& questions)
{
    if (!facts.IsAutoAllowedByBios()) {
        questions.Unsupported();
        return AutoObstacle::Unsupported;
    }
    if (facts.IsTweakDisabled() && !questions.ConfirmTweak())
        return AutoObstacle::TweakUnconfirmed;
    using Calibration = AutoQuestions::Calibration;
    if (facts.IsCalibrationNeeded())
        return questions.Calibrate(Calibration::AfterSettingChanged) ? AutoObstacle::None
                                                                     : AutoObstacle::CalibrationNeeded;
    if (!facts.HasValidThresholds())
        return questions.Calibrate(Calibration::BeforeSetting) ? AutoObstacle::None
                                                               : AutoObstacle::CalibrationNeeded;
    return AutoObstacle::None;
}

} // namespace geardial
