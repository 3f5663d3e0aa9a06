#pragma once
// The energy display on the main window's real layout and a plain CPU form,
// with a scripted host, and the glyphs its images show read back.

#include "screens/energy/EnergyDisplay.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace energytest {

class ScriptedHost : public energy::EnergyDisplayHost {
public:
    energy::EnergyReadings Readings() override { return readings; }
    void ClearCumulative() override
    {
        ++clears;
        readings.boardCumulative = 0;
        readings.vgaCumulative = 0;
    }
    bool IsGraphicsBoostPresent() override { return boostPresent; }
    void ShowVgaForm() override { ++vgaFormShows; }
    void BackgroundChanged() override { ++backgroundChanges; }

    energy::EnergyReadings readings;
    bool boostPresent = false;
    int clears = 0;
    int vgaFormShows = 0;
    int backgroundChanges = 0;
};

// The program's artwork folder beside the test executable.
std::string ArtFolder();

// Fresh forms per rig: the main window from its layout, a CPU form with
// the titles that name its readouts, and the display on them.
class Rig {
public:
    explicit Rig(bool boostPresent = false);
    ~Rig();

    TForm& Main() { return *main_; }
    TForm& Cpu() { return *cpu_; }
    energy::EnergyDisplay& Display() { return *display_; }
    // Both forms shown, as while the user looks at them.
    void ShowBoth();
    template <typename T>
    T& Part(const char* name);

    ScriptedHost host;
    // The gear marker and chart stand-ins that move with the mode group.
    TControl* marker = nullptr;
    TControl* chart = nullptr;

private:
    std::unique_ptr<TForm> main_;
    std::unique_ptr<TForm> cpu_;
    std::unique_ptr<energy::EnergyDisplay> display_;
};

// Glyph index each image shows (-1 for a picture that is no glyph).
std::vector<int> ShownGlyphs(const energy::DigitRow& row);
// The same as text: digits, '.' for a point, ' ' for a blank.
std::string ShownText(const energy::DigitRow& row);
bool SamePicture(TBitmap& a, const TBitmap& b);

// The reset times' registry values; nullopt when missing or not 8 bytes.
std::optional<FILETIME> StoredTime(const char* name);
void StoreTime(const char* name, const FILETIME& time);
void DeleteTimes();
// The present local time within a minute of the given time.
bool IsAboutNow(const FILETIME& time);

} // namespace energytest
