#include "screens/energy/EnergyRow.h"

#include "screens/energy/UnitImage.h"

namespace energy {

namespace {
constexpr double kKilo = 1000;
constexpr double kMaximum = 999.999999;
constexpr int kUnitsLeft = 162;
constexpr int kFactorUp = 5;
constexpr int kUnitDown = 2;
constexpr int kUnitAfterFactor = 6;
} // namespace

EnergyRow::EnergyRow(TForm& form, const DigitGlyphs& glyphs, const TBitmap& factor, const TBitmap& kilowattHours)
    : digits_(form, glyphs, 3, 6), factor_(NewUnitImage(form, factor)), unit_(NewUnitImage(form, kilowattHours))
{
}

void EnergyRow::Place(int left, int top)
{
    digits_.SetLeft(left);
    digits_.SetTop(top);
    factor_->SetBounds(left + kUnitsLeft, top - kFactorUp, factor_->Width(), factor_->Height());
    PlaceUnit();
}

void EnergyRow::PlaceUnit()
{
    const int left = factorShown_ ? factor_->Left() + factor_->Width() + kUnitAfterFactor
                                  : digits_.Left() + kUnitsLeft;
    unit_->SetBounds(left, digits_.Top() + kUnitDown, unit_->Width(), unit_->Height());
}

void EnergyRow::SetVisible(bool visible)
{
    digits_.SetVisible(visible);
    factor_->SetVisible(visible && factorShown_);
    unit_->SetVisible(visible);
}

bool EnergyRow::ShowValue(double wattHours)
{
    const bool factor = wattHours < kKilo;
    const bool factorChanged = factor != factorShown_;
    if (factorChanged) {
        factorShown_ = factor;
        factor_->SetVisible(factor && digits_.Visible());
        PlaceUnit();
    }
    double shown = factor ? wattHours : wattHours * 0.001;
    if (shown >= kKilo)
        shown = kMaximum;
    return digits_.ShowValue(shown) || factorChanged;
}

} // namespace energy
