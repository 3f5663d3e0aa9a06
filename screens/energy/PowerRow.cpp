#include "screens/energy/PowerRow.h"

#include "screens/energy/UnitImage.h"

namespace energy {

namespace {
constexpr double kLimit = 100;
constexpr double kMaximum = 99.99;
constexpr int kUnitLeft = 78;
constexpr int kUnitDown = 2;
} // namespace

PowerRow::PowerRow(TForm& form, const DigitGlyphs& glyphs, const TBitmap& watts)
    : digits_(form, glyphs, 2, 2), watts_(NewUnitImage(form, watts))
{
}

void PowerRow::Place(int left, int top)
{
    digits_.SetLeft(left);
    digits_.SetTop(top);
    watts_->SetBounds(left + kUnitLeft, top + kUnitDown, watts_->Width(), watts_->Height());
}

void PowerRow::SetVisible(bool visible)
{
    digits_.SetVisible(visible);
    watts_->SetVisible(visible);
}

bool PowerRow::ShowValue(double watts)
{
    return digits_.ShowValue(watts >= kLimit ? kMaximum : watts);
}

} // namespace energy
