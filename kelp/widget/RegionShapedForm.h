#pragma once
// Cuts the window to the opaque pixels of its background image with a
// window region.

#include "kelp/widget/TShapedForm.h"

namespace kelp {

class RegionShapedForm : public TShapedForm {
public:
    void ApplyShape(TForm* form, TImage* image) override;
    void RemoveShape(TForm* form) override;
    // clNone: the image bitmap's own transparent colour.
    void SetTransparentColor(TColor color) override { m_transparentColor = color; }
    TColor GetTransparentColor() const override { return m_transparentColor; }

private:
    TColor m_transparentColor = clNone;
};

} // namespace kelp
