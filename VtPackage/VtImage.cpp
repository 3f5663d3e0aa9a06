#include "VtPackage/VtImage.h"

#include "kelp/widget/layout/BitmapEffects.h"

VtImage::VtImage(TComponent* owner) : TImage(owner)
{
    // The image decides its opacity after every picture change of its own.
    TNotifyEvent previous = Picture().OnChange;
    Picture().OnChange = [this, previous](TObject* sender) {
        previous(sender);
        UpdateOpacity();
    };
}

void VtImage::SetAlphaChannel(bool alphaChannel)
{
    if (alphaChannel == m_alphaChannel)
        return;
    m_alphaChannel = alphaChannel;
    UpdateOpacity();
    Invalidate();
}

void VtImage::SetAlphaBlend(bool alphaBlend)
{
    if (alphaBlend == m_alphaBlend)
        return;
    m_alphaBlend = alphaBlend;
    Invalidate();
}

void VtImage::SetAlphaValue(uint8_t value)
{
    if (value == m_alphaValue)
        return;
    m_alphaValue = value;
    if (m_alphaBlend)
        Invalidate();
}

void VtImage::UpdateOpacity()
{
    // Blended pixels show the parent through them, so the parent must paint
    // beneath the image first.
    if (m_alphaChannel)
        SetControlStyle(ControlStyle() & ~csOpaque);
}

void VtImage::PaintControl(TCanvas& canvas)
{
    TBitmap& picture = Picture();
    if (Width() == 0 || Height() == 0 || picture.Empty())
        return;
    if (!m_alphaChannel || picture.PixelFormat() != TPixelFormat::pf32bit) {
        canvas.Draw(0, 0, picture);
        return;
    }
    // What the parent has painted beneath the image so far, with the picture
    // blended onto it.
    TBitmap work;
    work.SetPixelFormat(TPixelFormat::pf24bit);
    work.SetSize(Width(), Height());
    BitBlt(work.Canvas().Handle(), 0, 0, Width(), Height(), canvas.Handle(), 0, 0, SRCCOPY);
    kelp::AlphaBlend(picture, RECT{0, 0, picture.Width(), picture.Height()}, work, POINT{0, 0},
                     m_alphaBlend ? m_alphaValue : 255);
    canvas.Draw(0, 0, work);
}
