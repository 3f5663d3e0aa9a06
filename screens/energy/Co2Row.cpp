#include "screens/energy/Co2Row.h"

#include "screens/energy/UnitImage.h"

namespace energy {

namespace {
constexpr double kGramFrom = 1e6;
constexpr double kKilogramFrom = 1e9;
constexpr double kScaledLimit = 1e6;
constexpr double kMaximum = 999999.999;
constexpr int kUnitLeft = 162;
constexpr int kUnitDown = 4;

MassUnit UnitFor(double milligrams)
{
    if (milligrams >= kKilogramFrom)
        return MassUnit::Kilograms;
    if (milligrams >= kGramFrom)
        return MassUnit::Grams;
    return MassUnit::Milligrams;
}
} // namespace

Co2Row::Co2Row(TForm& form, const DigitGlyphs& glyphs, const std::array<const TBitmap*, 3>& units)
    : digits_(form, glyphs, 6, 3), units_(units), unitImage_(NewUnitImage(form, *units[0]))
{
}

void Co2Row::Place(int left, int top)
{
    digits_.SetLeft(left);
    digits_.SetTop(top);
    unitImage_->SetBounds(left + kUnitLeft, top + kUnitDown, unitImage_->Width(), unitImage_->Height());
}

void Co2Row::SetVisible(bool visible)
{
    digits_.SetVisible(visible);
    unitImage_->SetVisible(visible);
}

bool Co2Row::ShowValue(double milligrams)
{
    const MassUnit unit = UnitFor(milligrams);
    const bool unitChanged = unit != unit_;
    if (unitChanged) {
        unit_ = unit;
        unitImage_->SetPicture(*units_[static_cast<int>(unit)]);
    }
    double shown = milligrams;
    if (unit == MassUnit::Grams)
        shown *= 0.001;
    else if (unit == MassUnit::Kilograms)
        shown *= 0.000001;
    return digits_.ShowValue(shown >= kScaledLimit ? kMaximum : shown) || unitChanged;
}

} // namespace energy
