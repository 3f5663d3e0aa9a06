#pragma once
// The CPU power in watts: two integer and two fraction digits with the
// word Watts after them. 100 W or more shows as 99.99.

#include "screens/energy/DigitRow.h"

namespace energy {

class PowerRow {
public:
    PowerRow(TForm& form, const DigitGlyphs& glyphs, const TBitmap& watts);

    void Place(int left, int top);
    void SetVisible(bool visible);
    // True when a glyph changed.
    bool ShowValue(double watts);

    const DigitRow& Digits() const { return digits_; }
    const VtImage& Unit() const { return *watts_; }

private:
    DigitRow digits_;
    VtImage* watts_;  // owned by the form
};

} // namespace energy
