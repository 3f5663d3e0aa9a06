#pragma once
// A skinned control drawn from a fixed number of state bitmaps. Index 0 is
// the base look: it fixes the control's size, its transparent colour and,
// when Transparent is set, its shape (the opaque pixels are the hit area
// and the window region). A state whose bitmap is empty shows a substitute
// instead, by default the base look.

#include "VtPackage/VtControl.h"
#include "kelp/Component/TBmpLEDCtrl.h"
#include "kelp/Graphics/WinRegion.h"

#include <memory>

class VtCustomControl : public VtControl {
public:
    VtCustomControl(TComponent* owner, bool clicksDisabled, int stateCount);
    ~VtCustomControl() override;

    // Shows the state, or its substitute while its bitmap is empty.
    virtual void ShowBitmap(int index);
    // The state shown in place of an empty one.
    virtual int Substitute(int index);
    virtual void SetTransparent(bool transparent);
    virtual void SetTransparentColor(TColor color);

    void ShowRaised() override { ShowBitmap(0); }
    bool HitTest(int x, int y) override;
    void Repaint() override;

    bool Transparent() const { return m_display->Transparent(); }
    TColor TransparentColor()
    {
        SettleTransparentColor();
        return m_display->TransparentColor();
    }

    // Copies the bitmap into a state; a new base bitmap also brings its
    // transparent colour.
    void SetStateBitmap(const TBitmap& bitmap, int index);
    TBitmap& GetStateBitmap(int index) { return m_display->Bitmap(index); }
    int StateCount() const { return m_display->StateCount(); }
    // The state whose bitmap this is, -1 for none.
    int StateIndexOf(const TObject* bitmap);
    // The index last asked for, before substitution.
    int RequestedIndex() const { return m_requested; }
    // The index actually shown.
    int ShownIndex() const { return m_display->GetState(); }
    // The state display's drawing surface, drawn up to date.
    TCanvas& Canvas() { return m_display->Canvas(); }
    // Whether the surface holds its pixels: not before the control is
    // painted or its surface is read.
    bool SurfaceDrawn() { return m_display->Host().Drawn(); }
    // Draws onto that surface now, or when its pixels are first needed.
    void DrawOnSurface(kelp::ImageHost::TDrawing drawing) { m_display->Host().Draw(std::move(drawing)); }
    // Draws the shown state bitmap onto the surface again.
    void RefreshDisplay() { m_display->Refresh(); }

protected:
    kelp::TBmpLEDCtrl& Display() { return *m_display; }
    // Where subclasses chain their own reaction to state bitmap changes.
    TNotifyEvent& BitmapChangeHandler() { return m_display->BitmapChangeHandler(); }

    bool CanResize(int& width, int& height) override;
    void Resize() override;
    void WndProc(TMessage& message) override;
    void HandleCreated() override;

private:
    void StateBitmapChanged(TObject* sender);
    // A base bitmap whose pixels are not read yet gives its transparent
    // colour once they are: when the colour is asked for, the hit area is
    // cut or the control is painted.
    void SettleTransparentColor();
    // Marks the hit area for rebuilding and gives the window its shape.
    void UpdateRegion();
    // The hit area, rebuilt when it changed since it was last asked for.
    const kelp::WinRegion& HitRegion();

    std::unique_ptr<kelp::TBmpLEDCtrl> m_display;
    int m_requested = 0;
    kelp::WinRegion m_hitRegion;
    bool m_hitRegionStale = true;
    TNotifyEvent m_previousChange;
    // The base bitmap's lower-left pixel, filled in when its pixels are read.
    std::shared_ptr<TColor> m_baseColor;
};
