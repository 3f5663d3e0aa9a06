#include "screens/energy/DigitRow.h"

#include "screens/energy/GlyphIndices.h"

namespace energy {

namespace {
constexpr int kGap = 5;
// The point sits one pixel closer to the digit before it and four pixels
// before the digit after it.
constexpr int kPointShift = 1;
constexpr int kPointGap = 4;
} // namespace

DigitRow::DigitRow(TForm& form, const DigitGlyphs& glyphs, int integerDigits, int fractionDigits)
    : glyphs_(glyphs), integerDigits_(integerDigits), fractionDigits_(fractionDigits)
{
    Build(form);
}

void DigitRow::Build(TForm& form)
{
    const int count = integerDigits_ + fractionDigits_ + (fractionDigits_ > 0 ? 1 : 0);
    int x = left_;
    for (size_t i = 0; i < size_t(count); ++i) {
        auto* image = new VtImage(&form);
        image->SetParent(&form);
        image->SetAutoSize(true);
        image->SetVisible(visible_);
        int gap = kGap;
        int glyph = kBlank;
        if (i == size_t(integerDigits_)) {
            glyph = kBuildPoint;
            x -= kPointShift;
            gap = kPointGap;
        }
        images_.push_back(image);
        shown_.push_back(-1);
        ShowGlyph(i, glyph);
        image->SetBounds(x, top_, image->Width(), image->Height());
        x += image->Width() + gap;
    }
}

void DigitRow::SetLeft(int left)
{
    Move(left - left_, 0);
    left_ = left;
}

void DigitRow::SetTop(int top)
{
    Move(0, top - top_);
    top_ = top;
}

void DigitRow::Move(int dx, int dy)
{
    for (VtImage* image : images_)
        image->SetBounds(image->Left() + dx, image->Top() + dy, image->Width(), image->Height());
}

void DigitRow::SetVisible(bool visible)
{
    visible_ = visible;
    for (VtImage* image : images_)
        image->SetVisible(visible);
}

bool DigitRow::ShowValue(double value)
{
    const std::vector<int> glyphs = GlyphIndices(value, integerDigits_, fractionDigits_);
    bool changed = false;
    for (size_t i = 0; i < images_.size(); ++i)
        changed |= ShowGlyph(i, glyphs[i]);
    return changed;
}

std::string DigitRow::ShownText() const
{
    std::string text;
    for (const int glyph : shown_) {
        if (glyph >= 0 && glyph <= 9)
            text += static_cast<char>('0' + glyph);
        else if (glyph == 10 || glyph == 12)
            text += '.';
    }
    return text;
}

bool DigitRow::ShowGlyph(size_t position, int index)
{
    // An unchanged glyph is not drawn again: the readout refreshes every
    // few seconds and mostly keeps its digits.
    if (shown_[position] == index)
        return false;
    shown_[position] = index;
    images_[position]->SetPicture(glyphs_.Glyph(index));
    return true;
}

} // namespace energy
