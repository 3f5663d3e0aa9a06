#pragma once
// Line attributes of a canvas with a lazily created GDI pen.

#include "framework/TObject.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"


class TPen : public TObject {
public:
    TPen() = default;

    void Assign(const TPen& source);

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    int Style() const { return m_style; }   // PS_SOLID, PS_NULL, ...
    void SetStyle(int style);
    int Width() const { return m_width; }
    void SetWidth(int width);
    int Mode() const { return m_mode; }     // raster operation, R2_COPYPEN by default
    void SetMode(int mode);

    HPEN Handle();

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor m_color = clBlack;
    int m_style = PS_SOLID;
    int m_width = 1;
    int m_mode = R2_COPYPEN;
    TGdiObject m_handle;
    TGdiObject m_retired;  // may still be selected until the canvas selects the new one
    bool m_stale = true;
};
