#pragma once
// The main window's layout streamed into a bare form of the window's class,
// with the program's own control classes and the artwork beside the
// executable, so that the art is checked exactly as the program loads it.

#include "VtPackage/VtCustomControl.h"
#include "framework/TForm.h"
#include "framework/graphics/Bitmap.h"
#include "tests/support/MainLayoutForm.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace arttest {

// The class the layout is written for; the controller itself is not needed.
using TMainForm = testsupport::TMainForm;

// Loaded on first use and kept for the test program.
TMainForm& MainForm();

template <typename T>
T& Component(const std::string& name)
{
    auto* found = dynamic_cast<T*>(MainForm().FindComponent(name));
    if (!found)
        throw std::runtime_error("no " + name + " of the expected class in the layout");
    return *found;
}

RECT Bounds(const TControl& control);
bool Intersect(const RECT& a, const RECT& b);

// Rows the small view leaves out, and the distance the mode group moves.
constexpr int kBandTop = 228;
constexpr int kShrink = 33;
// Where the dial puts its chart and gear marker.
constexpr int kChartLeft = 439;
constexpr int kChartTop = 345;
constexpr int kGearTop = 331;
// The CO2 readout: left and top of its digits; the unit sits at +162, +4.
constexpr int kCo2Left = 46;
constexpr int kCo2Top = 236;

// The controls that move up when the window shrinks, and those it hides.
const std::vector<std::string>& ModeGroup();
const std::vector<std::string>& EnergyGroup();

constexpr TColor kKey = 0x00FF00FF;

// The skinned controls of the form with every state bitmap they carry.
std::vector<VtCustomControl*> SkinnedControls();

// A dial layer from the Resource folder as a 32-bit bitmap with alpha.
TBitmap& DialLayer(const std::string& name);
uint8_t Alpha(TBitmap& bitmap, int x, int y);

} // namespace arttest
