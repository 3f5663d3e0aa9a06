#pragma once
// The CO2 emission avoided: six integer and three fraction digits and the
// unit, which follows the figure's size: mg below 1,000,000 mg, g below
// 1,000,000,000 mg, kg above. A figure of a million units or more shows as
// 999999.999.

#include "screens/energy/DigitRow.h"

#include <array>

namespace energy {

enum class MassUnit { Milligrams, Grams, Kilograms };

class Co2Row {
public:
    // units: the pictures of mg, g and kg.
    Co2Row(TForm& form, const DigitGlyphs& glyphs, const std::array<const TBitmap*, 3>& units);

    void Place(int left, int top);
    void SetVisible(bool visible);
    // True when the figure or its unit changed.
    bool ShowValue(double milligrams);

    MassUnit Unit() const { return unit_; }
    const DigitRow& Digits() const { return digits_; }
    const VtImage& UnitImage() const { return *unitImage_; }

private:
    DigitRow digits_;
    std::array<const TBitmap*, 3> units_;
    VtImage* unitImage_;  // owned by the form
    MassUnit unit_ = MassUnit::Milligrams;
};

} // namespace energy
