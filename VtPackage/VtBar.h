#pragma once
// A slider: a brick track with an indicator bitmap on top whose position
// runs from 0 to Length along one axis. Dragging the track or the
// indicator moves the position by the mouse's movement; OnScroll may adjust
// each step and OnIndicate the indicator's placement.

#include "VtPackage/VtBarOrigin.h"
#include "VtPackage/VtBrick.h"
#include "framework/controls/StdControlTypes.h"
#include "framework/controls/TImage.h"

#include <functional>

using TVtScrollEvent = std::function<void(TObject* sender, int& position, bool forward)>;
using TVtIndicateEvent = std::function<void(TObject* sender, int& coordinate)>;

class VtBar : public VtBrick {
public:
    explicit VtBar(TComponent* owner);

    virtual void StartScroll();
    virtual void Scroll(int& position, bool forward);
    virtual void EndScroll();
    virtual void Indicate(int& coordinate);

    // Places the indicator for the current position.
    void LocateIndicator();

    int Length() const { return m_length; }
    void SetLength(int length);
    int ScrollPos() const { return m_scrollPos; }
    // Not clamped: the next drag step brings the position into range.
    void SetScrollPos(int position);
    TScrollBarKind Kind() const { return m_kind; }
    void SetKind(TScrollBarKind kind);
    VtBarOrigin& Origin() { return m_origin; }
    void SetOrigin(const VtBarOrigin& origin) { m_origin.Assign(origin); }
    TBitmap& GetIndicator() { return m_indicator->Picture(); }
    void SetIndicator(const TBitmap& bitmap);
    // The indicator image, for placement and painting checks.
    TImage& IndicatorImage() { return *m_indicator; }
    bool IsDraging() const { return m_dragging; }

    void Repaint() override;

    TNotifyEvent OnStartScroll;
    TNotifyEvent OnEndScroll;
    TVtScrollEvent OnScroll;
    TVtIndicateEvent OnIndicate;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void OnImgMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void OnImgMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void OnImgMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

    TImage* m_indicator;  // owned as a component of the bar
    int m_length = 20;
    int m_scrollPos = 0;
    bool m_dragging = false;
    int m_lastX = 0;
    int m_lastY = 0;
    TScrollBarKind m_kind = TScrollBarKind::Horizontal;
    VtBarOrigin m_origin;
};
