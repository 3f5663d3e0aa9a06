#include "framework/controls/TImage.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    m_picture.OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    PictureChanged();
}

void TImage::SetStretch(bool stretch)
{
    if (stretch != m_stretch) {
        m_stretch = stretch;
        Invalidate();
    }
}

void TImage::PictureChanged()
{
    if (m_autoSize && !m_picture.Empty())
        SetBounds(Left(), Top(), m_picture.Width(), m_picture.Height());
    // A transparent or translucent picture shows what is behind it, so the
    // parent repaints too.
    const bool seeThrough = m_picture.Transparent() || m_picture.AlphaDefined();
    SetControlStyle(seeThrough ? (ControlStyle() & ~csOpaque) : (ControlStyle() | csOpaque));
    Invalidate();
}

void TImage::PaintControl(TCanvas& canvas)
{
    if (m_picture.Empty())
        return;
    if (m_stretch)
        canvas.StretchDraw(RECT{0, 0, Width(), Height()}, m_picture);
    else if (m_picture.AlphaDefined() && !m_picture.Transparent())
        canvas.DrawBlended(0, 0, m_picture);
    else
        canvas.Draw(0, 0, m_picture);
}
