#pragma once
// The state-bitmap display under every bitmap-skinned control: a fixed
// number of state bitmaps, exactly one of which is shown, pixel for pixel,
// in an image control placed inside the host control. Changing the pixels
// of the shown bitmap redraws at once; changes to the others do not.

#include "kelp/Component/BmpLED.h"
#include "kelp/Component/ImageHost.h"
#include "kelp/Graphics/SimplePainter.h"

#include <memory>

namespace kelp {

class TBmpLEDCtrl {
public:
    TBmpLEDCtrl(TWinControl* hostControl, int stateCount);
    virtual ~TBmpLEDCtrl();
    TBmpLEDCtrl(const TBmpLEDCtrl&) = delete;
    TBmpLEDCtrl& operator=(const TBmpLEDCtrl&) = delete;

    virtual int StateCount() const;
    virtual int GetState() const;
    virtual void SetState(int state);
    // Draws the current state bitmap onto the surface and repaints the
    // image; a surface not drawn yet draws it when first needed.
    virtual void Refresh();
    virtual void MoveBy(int dx, int dy);
    // Of the image control.
    virtual int Left() const;
    virtual int Top() const;
    // Of the image's bitmap.
    virtual int Width() const;
    virtual int Height() const;

    TBitmap& Bitmap(int index);
    // Copies the bitmap into state index (the copy reports the change).
    void AssignBitmap(const TBitmap& bitmap, int index);
    TCanvas& Canvas() { return m_host->Canvas(); }
    ImageHost& Host() { return *m_host; }
    void SetSize(int width, int height);
    void Clear() { m_host->Clear(); }

    // The image's transparency and the bitmap's fixed transparent colour
    // (stored as an RGB triple).
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    bool Transparent() const;
    void SetTransparent(bool transparent);

    // Called for every change of a state bitmap; replaceable so that hosts
    // can chain their own handling in front of it.
    TNotifyEvent& BitmapChangeHandler() { return m_changeHandler; }
    // The display's own reaction: refresh when the shown bitmap changed.
    void BitmapChanged(TObject* sender);

private:
    void DrawState(int state);

    std::unique_ptr<ImageHost> m_host;
    std::unique_ptr<SimplePainter> m_painter;
    std::unique_ptr<BmpLED> m_led;
    TNotifyEvent m_changeHandler;
};

} // namespace kelp
