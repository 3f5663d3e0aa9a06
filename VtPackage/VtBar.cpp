#include "VtPackage/VtBar.h"

#include <algorithm>

VtBar::VtBar(TComponent* owner)
    : VtBrick(owner), m_indicator(new TImage(this)), m_origin([this] { LocateIndicator(); })
{
    m_indicator->SetParent(this);
    m_indicator->SetAutoSize(true);
    m_indicator->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        OnImgMouseDown(sender, button, shift, x, y);
    };
    m_indicator->OnMouseMove = [this](TObject* sender, TShiftState shift, int x, int y) {
        OnImgMouseMove(sender, shift, x, y);
    };
    m_indicator->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        OnImgMouseUp(sender, button, shift, x, y);
    };
}

void VtBar::StartScroll()
{
    if (OnStartScroll)
        OnStartScroll(this);
}

void VtBar::Scroll(int& position, bool forward)
{
    if (OnScroll)
        OnScroll(this, position, forward);
}

void VtBar::EndScroll()
{
    if (OnEndScroll)
        OnEndScroll(this);
}

void VtBar::Indicate(int& coordinate)
{
    if (OnIndicate)
        OnIndicate(this, coordinate);
}

void VtBar::LocateIndicator()
{
    int x = m_origin.X() - m_indicator->Width() / 2;
    int y = m_origin.Y() - m_indicator->Height() / 2;
    if (m_kind == TScrollBarKind::Horizontal) {
        x += m_scrollPos;
        Indicate(x);
    } else {
        y += m_scrollPos;
        Indicate(y);
    }
    m_indicator->SetBounds(x, y, m_indicator->Width(), m_indicator->Height());
}

void VtBar::SetLength(int length)
{
    m_length = length;
    LocateIndicator();
}

void VtBar::SetScrollPos(int position)
{
    m_scrollPos = position;
    LocateIndicator();
}

void VtBar::SetKind(TScrollBarKind kind)
{
    m_kind = kind;
    LocateIndicator();
}

void VtBar::SetIndicator(const TBitmap& bitmap)
{
    m_indicator->SetPicture(bitmap);
    LocateIndicator();
}

void VtBar::Repaint()
{
    m_indicator->Repaint();
    VtBrick::Repaint();
}

void VtBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::Left && HitTest(x, y)) {
        m_lastX = x;
        m_lastY = y;
        m_dragging = true;
        StartScroll();
    }
    VtBrick::MouseDown(button, shift, x, y);
}

void VtBar::MouseMove(TShiftState shift, int x, int y)
{
    if (m_dragging) {
        const int delta = m_kind == TScrollBarKind::Horizontal ? x - m_lastX : y - m_lastY;
        int position = std::max(std::min(m_scrollPos + delta, m_length), 0);
        Scroll(position, position >= m_scrollPos);
        m_scrollPos = position;
        LocateIndicator();
        m_lastX = x;
        m_lastY = y;
    }
    VtBrick::MouseMove(shift, x, y);
}

void VtBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (m_dragging) {
        m_dragging = false;
        EndScroll();
    }
    VtBrick::MouseUp(button, shift, x, y);
}

void VtBar::OnImgMouseDown(TObject*, TMouseButton button, TShiftState shift, int x, int y)
{
    MouseDown(button, shift, x + m_indicator->Left(), y + m_indicator->Top());
}

void VtBar::OnImgMouseMove(TObject*, TShiftState shift, int x, int y)
{
    MouseMove(shift, x + m_indicator->Left(), y + m_indicator->Top());
}

void VtBar::OnImgMouseUp(TObject*, TMouseButton button, TShiftState shift, int x, int y)
{
    MouseUp(button, shift, x + m_indicator->Left(), y + m_indicator->Top());
}
