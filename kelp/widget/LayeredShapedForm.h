#pragma once
// Makes the window a layered window whose colour key hides the background
// image's transparent colour, optionally faded by a constant alpha. Without
// layered-window support in the platform the window stays unshaped.

#include "kelp/widget/LayeredWindow.h"
#include "kelp/widget/TShapedForm.h"

#include <memory>

namespace kelp {

class LayeredShapedForm : public TShapedForm {
public:
    LayeredShapedForm();

    void ApplyShape(TForm* form, TImage* image) override;
    void RemoveShape(TForm* form) override;
    void SetTransparentColor(TColor color) override;
    TColor GetTransparentColor() const override;

    // Applies at once when attached.
    void SetAlphaEnabled(bool enabled);
    // Takes effect at the next ApplyShape.
    void SetAlpha(uint8_t alpha);
    void SetColorKeyEnabled(bool enabled);
    // Null when the platform lacks layered windows.
    LayeredWindow* Layered() const { return m_layeredWindow.get(); }

private:
    std::unique_ptr<LayeredWindow> m_layeredWindow;
};

} // namespace kelp
