#pragma once
// Fill attributes of a canvas with a lazily created GDI brush.

#include "framework/TObject.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"


enum class TBrushStyle { Solid, Clear };

class TBrush : public TObject {
public:
    TBrush() = default;

    void Assign(const TBrush& source);

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style);

    HBRUSH Handle();

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor m_color = clWhite;
    TBrushStyle m_style = TBrushStyle::Solid;
    TGdiObject m_handle;
    TGdiObject m_retired;  // may still be selected until the canvas selects the new one
    bool m_stale = true;
};
