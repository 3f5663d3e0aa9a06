#include "VtPackage/VtButtonTx.h"

VtButtonTx::VtButtonTx(TComponent* owner) : VtCaptioned<VtButton>(owner)
{
    m_fontColors.OnChange = [this](TObject*) { DoRepaint(); };
}

VtButtonTx::~VtButtonTx()
{
    m_fontColors.OnChange = nullptr;
}

void VtButtonTx::SetWordWrap(bool wordWrap)
{
    m_wordWrap = wordWrap;
    DoRepaint();
}

COLORREF VtButtonTx::GetFontColorOfCurState() const
{
    switch (RequestedIndex()) {
    case 1:
        return ResolveColor(m_fontColors.Sunken());
    case 2:
        return ResolveColor(m_fontColors.Focused());
    case 3:
        return ResolveColor(m_fontColors.Disabled() == clNone ? clGrayText : m_fontColors.Disabled());
    default:
        return ResolveColor(clNone);
    }
}

UINT VtButtonTx::CaptionFormat() const
{
    return m_wordWrap ? DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK
                      : DT_CENTER | DT_VCENTER | DT_SINGLELINE;
}

void VtButtonTx::DoRepaint()
{
    RefreshDisplay();
    DrawText();
    Invalidate();
}

void VtButtonTx::ShowSunken()
{
    CaptionText().SetOffsetPending();
    ShowBitmap(1);
}

void VtButtonTx::Repaint()
{
    DoRepaint();
    // The caption is on the surface now; only the window is brought up to date.
    TWinControl::Repaint();
}
