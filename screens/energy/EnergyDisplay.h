#pragma once
// The energy readouts of the main window and the CPU form and the main
// window's controls around them: the Total and Current views with their
// "Since" date, the reset of the current period, the shrunk main window
// without the CO2 readout, the CPU form's and VGA form's buttons, and the
// graphics-boost look of the VGA tile.

#include "screens/energy/Co2Row.h"
#include "screens/energy/EnergyDisplayHost.h"
#include "screens/energy/EnergyRow.h"
#include "screens/energy/PowerRow.h"

#include "VtPackage/VtBar.h"
#include "VtPackage/VtButtonTx.h"
#include "VtPackage/VtCheckBox.h"
#include "framework/controls/TAccessibleParts.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace energy {

// How far the mode group moves up when the main window shrinks.
constexpr int kShrinkDistance = 33;

class EnergyDisplay {
public:
    // Finds the forms' components (ELayoutError names a missing one), reads
    // the glyphs from the artwork folder (EPictureError), builds the rows,
    // takes over the buttons' clicks and dates the Total view. dialImages
    // are the gear marker and chart that move with the mode group.
    EnergyDisplay(TForm& mainWindow, TForm& cpuForm, EnergyDisplayHost& host, const std::string& artworkFolder,
                  const std::vector<TControl*>& dialImages);
    EnergyDisplay(const EnergyDisplay&) = delete;
    EnergyDisplay& operator=(const EnergyDisplay&) = delete;

    // Once, by the main window's set-up: shows the readouts.
    void Attach();
    // Shows the monitor's figures on whatever is on screen.
    void Refresh();

    bool IsTotalView() const { return totalView_; }
    bool IsLarge() const { return large_; }
    const PowerRow& Power() const { return powerRow_; }
    const EnergyRow& Energy() const { return energyRow_; }
    const Co2Row& Co2() const { return co2Row_; }
    // The CO2 readout for screen readers: a static text named by its title,
    // valued by the figure, its unit and the period's start.
    const TAccessibleParts& Co2Reading() const { return *co2Reading_; }
    // The CPU form's readouts, named by their titles.
    const TAccessibleParts& PowerReading() const { return *powerReading_; }
    const TAccessibleParts& EnergyReading() const { return *energyReading_; }

private:
    void SwitchButtonClick();
    void ResetButtonClick();
    void ShrinkButtonClick();
    void CpuButtonClick();
    void ShowSince(const char* name);
    void SetSince(const FILETIME& start);
    void ShowCo2(bool visible);
    void SetEnergyGroupVisible(bool visible);
    void MoveModeGroup(int dy);
    void LoadGpuSkin(const std::string& artworkFolder);

    TForm& mainWindow_;
    TForm& cpuForm_;
    EnergyDisplayHost& host_;
    TImage& background_;
    TImage& largeBk_;
    TImage& smallBk_;
    TLabel& date_;
    TLabel& reducedCo2Title_;
    TLabel& cpuEnergySavingTitle_;
    VtButtonTx& switchButton_;
    VtButton& resetButton_;
    VtCheckBox& shrinkButton_;
    VtButton& cpuButton_;
    VtButton& vgaButton_;
    VtBar& vgaLed_;
    PowerRow powerRow_;
    EnergyRow energyRow_;
    Co2Row co2Row_;
    std::unique_ptr<TAccessibleParts> co2Reading_;
    std::unique_ptr<TAccessibleParts> powerReading_;
    std::unique_ptr<TAccessibleParts> energyReading_;
    std::optional<FILETIME> since_;
    std::vector<TControl*> modeGroup_;
    bool totalView_ = true;
    bool large_ = true;
};

} // namespace energy
