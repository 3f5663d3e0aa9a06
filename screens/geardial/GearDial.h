#pragma once
// The mode picker of the main window: the five mode buttons, the gear
// marker above the chosen one and the chart of the mode's profile, which
// previews a hovered mode and cross-fades to a newly chosen one. It also
// keeps the mode's name and the availability lamps up to date.

#include "screens/geardial/DialArtwork.h"
#include "screens/geardial/GearDialHost.h"

#include "VtPackage/VtBar.h"
#include "VtPackage/VtButtonTx.h"
#include "VtPackage/VtImage.h"
#include "VtPackage/VtRadioButton.h"
#include "framework/TForm.h"
#include "framework/controls/TLabel.h"

#include <array>
#include <string>

namespace geardial {

// The main window's controls the dial works with; mode buttons in dial order.
struct DialControls {
    std::array<VtRadioButton*, kModeCount> modeButtons{};
    TLabel* modeName = nullptr;
    VtBar* cpuLed = nullptr;
    VtBar* vgaLed = nullptr;
    VtBar* chipLed = nullptr;
    VtBar* memoryLed = nullptr;
    VtBar* driveLed = nullptr;
    VtBar* fanLed = nullptr;
    VtButtonTx* moreSetting = nullptr;
    VtButtonTx* calibrate = nullptr;
};

class GearDial {
public:
    // Reads the artwork's headers from the folder (EPictureError when a
    // file is missing or broken) and puts the marker and the chart on the
    // window; the pictures are decoded when first drawn.
    GearDial(TForm& window, GearDialHost& host, const std::string& artworkFolder);
    GearDial(const GearDial&) = delete;
    GearDial& operator=(const GearDial&) = delete;

    // Takes over the mode buttons' clicks and hovering and the clicks of
    // the settings and calibrate buttons, then shows the current mode.
    void Attach(const DialControls& controls);
    // A mode button was clicked. The policies, and for Auto the firmware,
    // the tweak setting and the calibration are asked first; a refusal
    // redraws the current mode.
    void Select(int level);
    // Shows the mode the engine reports.
    void Refresh();
    void RefreshVgaLamp();
    // Why the mode holds ("Turbo, for render.exe"), shown instead of the
    // mode's name while set; "" for the name alone.
    void SetHoldNote(const std::string& note);
    // The settings button was clicked: the advanced settings over the dimmed
    // window; after OK they are saved and the running mode is applied anew.
    void MoreSettings();

    VtImage& GearMarker() { return *gear_; }
    VtImage& Chart() { return *chart_; }
    // The mode the still chart shows.
    int ShownIndex() const { return shown_; }

private:
    bool AutoAccepted();
    void Animate(int from, int to);
    void ShowChart(const ChartLayers& layers);
    void MoveGearMarker(int index);
    void RefreshLamps(int level);
    void MouseEntered(TObject* sender);
    void MouseLeft(TObject* sender);
    int IndexOf(TObject* button) const;

    TForm& window_;
    GearDialHost& host_;
    DialArtwork art_;
    VtImage* gear_;   // owned by the window
    VtImage* chart_;  // owned by the window
    TObject* hovered_ = nullptr;
    DialControls controls_;
    int shown_ = kFallbackIndex;
    std::string holdNote_;
};

} // namespace geardial
