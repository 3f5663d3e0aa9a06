#include "VtPackage/VtBrickTx.h"

VtBrickTx::VtBrickTx(TComponent* owner) : VtCaptioned<VtBrick>(owner)
{
    m_fontColors.OnChange = [this](TObject*) { DoRepaint(); };
}

VtBrickTx::~VtBrickTx()
{
    m_fontColors.OnChange = nullptr;
}

COLORREF VtBrickTx::GetFontColorOfCurState() const
{
    switch (RequestedIndex()) {
    case 1:
        return ResolveColor(m_fontColors.Focused());
    case 2:
        return ResolveColor(m_fontColors.Disabled() == clNone ? clGrayText : m_fontColors.Disabled());
    default:
        return ResolveColor(clNone);
    }
}

void VtBrickTx::DoRepaint()
{
    RefreshDisplay();
    DrawText();
    // Brought on screen at once rather than at the next paint.
    TWinControl::Repaint();
}
