#pragma once
// A fixed-point readout made of glyph images on a form: n integer digits,
// and with f fraction digits a point and f digits after it. The images
// belong to the form; the row places them and picks their glyphs.

#include "VtPackage/VtImage.h"
#include "framework/TForm.h"
#include "screens/energy/DigitGlyphs.h"

#include <string>
#include <vector>

namespace energy {

class DigitRow {
public:
    // Builds the row's blank glyphs at (0, 0), hidden.
    DigitRow(TForm& form, const DigitGlyphs& glyphs, int integerDigits, int fractionDigits);
    DigitRow(const DigitRow&) = delete;
    DigitRow& operator=(const DigitRow&) = delete;

    int Left() const { return left_; }
    int Top() const { return top_; }
    bool Visible() const { return visible_; }
    // Both move every glyph by the difference to the old position.
    void SetLeft(int left);
    void SetTop(int top);
    void SetVisible(bool visible);
    // value is not negative; see GlyphIndices. True when a glyph changed.
    bool ShowValue(double value);
    // The figure the glyphs show, as text ("8.957"): blanks left out.
    std::string ShownText() const;

    // The glyph images in reading order.
    const std::vector<VtImage*>& Images() const { return images_; }

private:
    void Build(TForm& form);
    void Move(int dx, int dy);
    bool ShowGlyph(size_t position, int index);

    const DigitGlyphs& glyphs_;
    std::vector<VtImage*> images_;  // owned by the form
    std::vector<int> shown_;        // glyph index of each image
    int left_ = 0;
    int top_ = 0;
    bool visible_ = false;
    int integerDigits_;
    int fractionDigits_;
};

} // namespace energy
