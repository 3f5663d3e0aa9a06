#include "kelp/widget/LayeredShapedForm.h"

namespace kelp {

LayeredShapedForm::LayeredShapedForm() : m_layeredWindow(std::make_unique<LayeredWindow>())
{
    if (m_layeredWindow->IsEnabled())
        m_layeredWindow->useColorKey = true;
    else
        m_layeredWindow.reset();
}

void LayeredShapedForm::ApplyShape(TForm* form, TImage*)
{
    if (!m_layeredWindow)
        return;
    // Client area the bitmap does not cover is keyed out as well.
    form->SetColor(GetTransparentColor());
    m_layeredWindow->Apply(form->Handle());
}

void LayeredShapedForm::RemoveShape(TForm* form)
{
    if (m_layeredWindow)
        m_layeredWindow->Remove(form->Handle());
}

void LayeredShapedForm::SetTransparentColor(TColor color)
{
    if (m_layeredWindow)
        m_layeredWindow->colorKey = ColorToRGB(color) | 0xFF000000u;
}

TColor LayeredShapedForm::GetTransparentColor() const
{
    return m_layeredWindow ? (m_layeredWindow->colorKey & 0xFFFFFF) : clNone;
}

void LayeredShapedForm::SetAlphaEnabled(bool enabled)
{
    if (!m_layeredWindow)
        return;
    m_layeredWindow->useAlpha = enabled;
    if (IsAttached())
        ApplyShape(m_form, m_image);
}

void LayeredShapedForm::SetAlpha(uint8_t alpha)
{
    if (m_layeredWindow)
        m_layeredWindow->alpha = alpha;
}

void LayeredShapedForm::SetColorKeyEnabled(bool enabled)
{
    if (m_layeredWindow)
        m_layeredWindow->useColorKey = enabled;
}

} // namespace kelp
