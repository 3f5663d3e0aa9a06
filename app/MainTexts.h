#pragma once
// The main window's texts in the user's language, and the font changes
// some languages need to fit them: Japanese switches the fonts to the
// Shift-JIS character set, French and German shrink the longer titles.

#include "VtPackage/VtButtonTx.h"
#include "framework/controls/TLabel.h"

#include <array>
#include <string>

struct MainTextControls {
    TLabel* subTitle = nullptr;
    TLabel* modeTitle = nullptr;
    TLabel* cpuStatusTitle = nullptr;
    TLabel* tranquilityTitle = nullptr;
    TLabel* performanceTitle = nullptr;
    TLabel* reliabilityTitle = nullptr;
    TLabel* convenienceTitle = nullptr;
    TLabel* energySavingTitle = nullptr;
    TLabel* reducedCO2Title = nullptr;
    TLabel* currentModeName = nullptr;
    TLabel* date = nullptr;
    VtButtonTx* moreSettingButton = nullptr;
    VtButtonTx* calibrateButton = nullptr;
    VtButtonTx* switchButton = nullptr;
    VtButtonTx* exitButton = nullptr;
    // Auto, Turbo, High Performance, Medium, Low.
    std::array<TControl*, 5> modeButtons{};
    TControl* resetButton = nullptr;
};

// Captions and hints from the current language file, all but the energy
// view's: nothing else changes them, so they can wait until the window is
// first shown.
void LoadMainTexts(const MainTextControls& controls);
// The energy view's captions (the switch, the period start, the CO2 title),
// which the energy display changes whenever the view changes.
void LoadEnergyViewTexts(const MainTextControls& controls);
// The font rules of the language named as in the language map
// ("Japanese", "French", "German"); other languages keep the layout's fonts.
void ApplyLanguageFonts(const std::string& language, const MainTextControls& controls);
