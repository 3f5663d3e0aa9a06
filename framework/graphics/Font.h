#pragma once
// Text font of a canvas or control: logical attributes plus a lazily created
// GDI font. Every attribute change fires OnChange.

#include "framework/TObject.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"

#include <string>

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont : public TObject {
public:
    TFont();

    void Assign(const TFont& source);

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);
    // Negative height: character height in pixels (as the designer stores it).
    int Height() const { return m_height; }
    void SetHeight(int height);
    // Size in points at the screen's logical resolution.
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    unsigned Style() const { return m_style; }
    void SetStyle(unsigned style);
    BYTE Charset() const { return m_charset; }
    void SetCharset(BYTE charset);

    // The GDI font for the current attributes, recreated after a change. The
    // previous font lives until the next change so that a canvas can still
    // swap it out.
    HFONT Handle();

    TNotifyEvent OnChange;

private:
    void Changed();

    std::string m_name = "MS Sans Serif";
    int m_height = -11;
    TColor m_color = clBlack;
    unsigned m_style = 0;
    BYTE m_charset = DEFAULT_CHARSET;
    TGdiObject m_handle;
    TGdiObject m_retired;  // may still be selected until the canvas selects the new one
    bool m_stale = true;
};

int ScreenPixelsPerInch();
