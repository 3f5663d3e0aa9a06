#pragma once
// What the gear dial asks of the rest of the program: the mode engine, the
// firmware's answers about Auto, the mode's settings for the lamps, the
// questions put to the user and the advanced-settings form.

#include "screens/geardial/AutoChecks.h"
#include "screens/geardial/LampRules.h"

#include <string>

namespace geardial {

class GearDialHost : public AutoFacts {
public:
    virtual ~GearDialHost() = default;

    virtual int CurrentLevel() = 0;
    // Whether the user may choose the level (the organisation's policies);
    // a refusal has been shown to the user.
    virtual bool MayChoose(int level) = 0;
    // Starts the change and returns at once.
    virtual void SetMode(int level) = 0;
    // The user chose before the delayed start-up restore ran.
    virtual void StopStartupRestore() = 0;

    // The saving gear Auto runs now, as the firmware reports it.
    virtual int RunningAutoGear() = 0;
    virtual LampFacts LampFactsFor(int level) = 0;

    // Answers: 1 for OK, Yes or a completed calibration.
    virtual int Notice(const std::string& text) = 0;
    // Whether to go on although tuning is disabled in the firmware.
    virtual int ConfirmTweak() = 0;
    // Each reason for offering a calibration has its own wording.
    enum class CalibrationOffer { Inform, BeforeSetting, AfterSettingChanged };
    virtual int OfferCalibration(CalibrationOffer offer) = 0;

    // Dims (true) or undims the main window.
    virtual void ShowCover(bool shown) = 0;
    // The advanced-settings form, modal: 1 for OK, 6 for OK with a change
    // that needs a new calibration, 2 for Cancel.
    virtual int ShowAdvancedSettings() = 0;
    // Whether to keep settings that need a new calibration.
    virtual int ConfirmChangeSetting() = 0;
    // The form's records to the settings store, then (once the mode is
    // applied again) the calibration request and the registry.
    virtual void SaveAdvancedSettings() = 0;
    virtual void FinishAdvancedSettings(bool calibrationRequired) = 0;
};

} // namespace geardial
