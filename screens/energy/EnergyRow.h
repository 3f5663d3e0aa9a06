#pragma once
// The CPU energy saved: three integer and six fraction digits, then the
// unit kW-hr. Below 1000 Wh the figure is shown in watt-hours with the
// factor x 10^-3 before the unit; from 1000 Wh it is shown in kWh without
// the factor. 1000 kWh or more shows as 999.999999.

#include "screens/energy/DigitRow.h"

namespace energy {

class EnergyRow {
public:
    EnergyRow(TForm& form, const DigitGlyphs& glyphs, const TBitmap& factor, const TBitmap& kilowattHours);

    void Place(int left, int top);
    void SetVisible(bool visible);
    // True when a glyph or the factor changed.
    bool ShowValue(double wattHours);

    bool FactorShown() const { return factorShown_; }
    const DigitRow& Digits() const { return digits_; }
    const VtImage& Factor() const { return *factor_; }
    const VtImage& Unit() const { return *unit_; }

private:
    void PlaceUnit();

    DigitRow digits_;
    VtImage* factor_;  // owned by the form
    VtImage* unit_;    // owned by the form
    bool factorShown_ = true;
};

} // namespace energy
