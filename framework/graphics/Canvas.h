#pragma once
// Drawing surface over a device context, with its own pen, brush and font.
// The GDI objects are selected lazily before each drawing call and the DC's
// original objects are restored when the handle is released.

#include "framework/TObject.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

#include <mutex>
#include <string>

class TBitmap;

class TCanvas : public TObject {
public:
    TCanvas();
    virtual ~TCanvas();

    // The device context; subclasses create theirs on first request.
    HDC Handle();
    bool HandleAllocated() const { return m_dc != nullptr; }
    // Draws on a DC owned by someone else (a paint DC, a window DC).
    void SetHandle(HDC dc);

    TFont& Font() { return m_font; }
    TPen& Pen() { return m_pen; }
    TBrush& Brush() { return m_brush; }
    DWORD CopyMode() const { return m_copyMode; }
    void SetCopyMode(DWORD rop) { m_copyMode = rop; }

    // Serialises drawing from several threads; nests.
    void Lock();
    void Unlock();
    int LockCount() const { return m_lockCount; }

    void FillRect(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Polygon(const POINT* points, int count);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextOut(int x, int y, const std::string& text);
    // DrawTextA with the given DT_ flags; with DT_CALCRECT the rectangle is
    // updated. Returns the text height.
    int DrawText(const std::string& text, RECT& rect, UINT format);
    int DrawTextW(const std::wstring& text, RECT& rect, UINT format);
    SIZE TextExtent(const std::string& text);

    // Copies (stretching when sizes differ) with the canvas's copy mode.
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
    // Draws the bitmap at its size; a transparent bitmap skips its
    // transparent colour.
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const RECT& dest, TBitmap& bitmap);
    // Draws a 32-bit bitmap blended over the canvas by its per-pixel alpha
    // (straight, not premultiplied).
    void DrawBlended(int x, int y, TBitmap& bitmap);

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // Fired after each drawing operation.
    TNotifyEvent OnChange;

protected:
    virtual void CreateHandle() {}
    // Deselects the canvas's objects and forgets the DC (the caller frees it).
    void ReleaseHandle();
    void Changed();

private:
    enum : unsigned { kFont = 1, kPen = 2, kBrush = 4 };
    void Require(unsigned what);
    void Deselect(unsigned what);
    void PrepareText();

    HDC m_dc = nullptr;
    HGDIOBJ m_originalFont = nullptr;
    HGDIOBJ m_originalPen = nullptr;
    HGDIOBJ m_originalBrush = nullptr;
    HGDIOBJ m_currentFont = nullptr;
    HGDIOBJ m_currentPen = nullptr;
    HGDIOBJ m_currentBrush = nullptr;
    unsigned m_selected = 0;
    TFont m_font;
    TPen m_pen;
    TBrush m_brush;
    DWORD m_copyMode = SRCCOPY;
    std::recursive_mutex m_lock;
    int m_lockCount = 0;
};
