#pragma once
// Reads a numeric LED display back from its painted pixels. The glyph
// geometry here is written down independently of the display's own tables:
// per glyph its cell width and sample points (design units) inside each
// segment, and for digits which segments each digit lights.
//
// A row reads as one character per LED: a digit, '_' for a blank digit,
// '+' for a fully lit and '-' for a fully dark non-digit glyph, '?' for a
// segment pattern that is no digit and '!' for a pixel that is neither the
// light nor the dark colour or a gap that is not the background.

#include "VtPackage/VtNumLed.h"
#include "framework/graphics/Bitmap.h"

#include <string>

namespace numledtest {

constexpr TColor kLight = 0x0000FF;       // red
constexpr TColor kDark = 0xFF0000;        // blue
constexpr TColor kBackground = 0x00FF00;  // green

// Cell width and height of the row in design units.
int RowWidth(const std::string& format);
int RowHeight(const std::string& format);

class RowReader {
public:
    // Paints the display's image at this many pixels per design unit.
    RowReader(VtNumLed& led, double scale) : m_led(led), m_scale(scale) {}
    std::string Read();
    // The painted pixel at a design point of the row.
    TColor At(double x, double y) { return m_shot.PixelColor(static_cast<int>(x * m_scale), static_cast<int>(y * m_scale)); }

private:
    void Capture();

    VtNumLed& m_led;
    double m_scale;
    TBitmap m_shot;
};

} // namespace numledtest
