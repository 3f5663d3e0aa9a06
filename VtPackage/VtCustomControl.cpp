#include "VtPackage/VtCustomControl.h"

VtCustomControl::VtCustomControl(TComponent* owner, bool clicksDisabled, int stateCount)
    : VtControl(owner, clicksDisabled), m_display(std::make_unique<kelp::TBmpLEDCtrl>(this, stateCount))
{
    // The display's image only shows the state; the mouse belongs to the
    // control underneath, so the image must not catch it.
    m_display->Host().Image().SetEnabled(false);
    m_display->Bitmap(0).SetSize(0, 0);
    m_previousChange = m_display->BitmapChangeHandler();
    m_display->BitmapChangeHandler() = [this](TObject* sender) { StateBitmapChanged(sender); };
    m_display->Host().SetBeforePaint([this] { SettleTransparentColor(); });
}

VtCustomControl::~VtCustomControl()
{
    Destroying();
    // The display's image is a child of this control; it goes first, while
    // the control is still whole.
    m_display.reset();
}

void VtCustomControl::ShowBitmap(int index)
{
    m_requested = index;
    while (index != 0 && m_display->Bitmap(index).Empty())
        index = Substitute(index);
    m_display->SetState(index);
}

int VtCustomControl::Substitute(int)
{
    return 0;
}

bool VtCustomControl::HitTest(int x, int y)
{
    return PtInRegion(HitRegion().Handle(), x, y) != 0;
}

void VtCustomControl::Repaint()
{
    m_display->Refresh();
    VtControl::Repaint();
}

void VtCustomControl::SetTransparent(bool transparent)
{
    if (transparent == m_display->Transparent())
        return;
    m_display->SetTransparent(transparent);
    UpdateRegion();
}

void VtCustomControl::SetTransparentColor(TColor color)
{
    m_baseColor.reset();
    m_display->SetTransparentColor(color);
    UpdateRegion();
}

void VtCustomControl::SetStateBitmap(const TBitmap& bitmap, int index)
{
    if (index != 0 || bitmap.Empty() || !bitmap.Deferred() || bitmap.TransparentMode() == TTransparentMode::Fixed) {
        if (index == 0 && !bitmap.Empty())
            SetTransparentColor(bitmap.TransparentColor());
        m_display->AssignBitmap(bitmap, index);
        return;
    }
    // The lower-left pixel as the picture is read, before anything draws on
    // the bitmap.
    auto color = std::make_shared<TColor>(clNone);
    TBitmap base;
    base.Assign(bitmap);
    base.ApplyToPixels([color](TBitmap& read) {
        if (*color == clNone)
            *color = read.PixelColor(0, read.Height() - 1);
    });
    m_baseColor = color;
    m_display->AssignBitmap(base, 0);
}

void VtCustomControl::SettleTransparentColor()
{
    if (!m_baseColor)
        return;
    const std::shared_ptr<TColor> color = m_baseColor;
    m_display->Bitmap(0).Handle();
    SetTransparentColor(*color);
}

int VtCustomControl::StateIndexOf(const TObject* bitmap)
{
    for (int index = 0; index < m_display->StateCount(); ++index)
        if (&m_display->Bitmap(index) == bitmap)
            return index;
    return -1;
}

void VtCustomControl::StateBitmapChanged(TObject* sender)
{
    const int index = StateIndexOf(sender);
    if (index < 0)
        return;
    // The display's own reaction draws the bare state bitmap, so it runs
    // first: what this control then draws over it (a caption) stays.
    if (m_previousChange)
        m_previousChange(sender);
    if (index != 0) {
        if (index == m_requested)
            ShowBitmap(index);
        return;
    }
    TBitmap& base = m_display->Bitmap(0);
    m_display->SetSize(base.Width(), base.Height());
    Repaint();
    if (!base.Empty())
        SetBounds(Left(), Top(), base.Width(), base.Height());
    UpdateRegion();
}

void VtCustomControl::UpdateRegion()
{
    // The shape is cut from the base bitmap's pixels only when something
    // asks for it: the mouse, or the window once it exists.
    m_hitRegionStale = true;
    if (!HandleAllocated())
        return;
    const kelp::WinRegion& region = HitRegion();
    if (!Transparent() || m_display->Bitmap(0).Empty())
        SetWindowRgn(Handle(), nullptr, TRUE);
    else
        SetWindowRgn(Handle(), region.Clone(), TRUE);  // the system owns the copy
}

const kelp::WinRegion& VtCustomControl::HitRegion()
{
    if (Transparent())
        SettleTransparentColor();
    if (!m_hitRegionStale)
        return m_hitRegion;
    m_hitRegionStale = false;
    TBitmap& base = m_display->Bitmap(0);
    if (!Transparent()) {
        m_hitRegion.SetRect(0, 0, Width(), Height());
    } else if (base.Empty()) {
        m_hitRegion.SetRect(0, 0, 0, 0);
    } else {
        // The region is built from a copy: reading the base bitmap must not
        // fire its change event.
        TBitmap copy;
        copy.Assign(base);
        m_hitRegion.SetToBitmap(copy, TransparentColor());
    }
    return m_hitRegion;
}

bool VtCustomControl::CanResize(int& width, int& height)
{
    if (!m_display->Bitmap(0).Empty()) {
        width = m_display->Width();
        height = m_display->Height();
    }
    return true;
}

void VtCustomControl::Resize()
{
    UpdateRegion();
    VtControl::Resize();
}

void VtCustomControl::HandleCreated()
{
    UpdateRegion();
    VtControl::HandleCreated();
}

void VtCustomControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND) {
        // The state bitmap covers the whole control.
        message.Result = 1;
        return;
    }
    VtControl::WndProc(message);
}
