#pragma once
// Painters for the items of owner-drawn lists: a background painter and text
// painters that colour the text by the item's owner-draw state. The plain
// painters are process-wide; a shadowed painter belongs to the list that
// created it. Painters are held through shared pointers, so the process-wide
// ones are never freed and a shadowed one is freed with its last holder.

#include "framework/graphics/Canvas.h"
#include "kelp/widget/layout/ShadowRenderer.h"

#include <memory>
#include <string>

namespace kelp {

class BackgroundPainter {
public:
    static std::shared_ptr<BackgroundPainter> Instance();
    virtual ~BackgroundPainter() = default;
    virtual RECT CalcRect(const RECT& rect) { return rect; }
    // Fills the rectangle with the canvas's current brush.
    virtual void PaintBackground(TCanvas& canvas, const RECT& rect);
};

class TextPainter {
public:
    static std::shared_ptr<TextPainter> Instance();
    TextPainter() = default;
    virtual ~TextPainter() = default;

    // Sets the state colour, then draws with a transparent background.
    virtual void DrawText(TCanvas& canvas, const std::string& text, const RECT& rect, UINT format, UINT state);
    virtual void DrawTextW(TCanvas& canvas, const std::wstring& text, const RECT& rect, UINT format, UINT state);
    // Updates the rectangle to the one the text needs (DT_CALCRECT).
    virtual void CalcRect(TCanvas& canvas, const std::string& text, RECT& rect, UINT format);
    virtual void CalcRectW(TCanvas& canvas, const std::wstring& text, RECT& rect, UINT format);
    // Grayed or disabled items get the grayed colour, selected ones the
    // highlight text colour; otherwise the font colour stays.
    virtual void SetStateColor(TCanvas& canvas, UINT state);

    TColor highlightTextColor = clHighlightText;
    TColor grayedTextColor = clGrayText;
};

// Draws through a shadow renderer; the state colour is not applied.
class ShadowTextPainter : public TextPainter {
public:
    static std::shared_ptr<ShadowTextPainter> Create();
    void DrawText(TCanvas& canvas, const std::string& text, const RECT& rect, UINT format, UINT state) override;
    void DrawTextW(TCanvas& canvas, const std::wstring& text, const RECT& rect, UINT format, UINT state) override;
    ShadowRenderer& Renderer() { return *m_renderer; }

private:
    std::unique_ptr<ShadowRenderer> m_renderer = std::make_unique<ShadowRenderer>();
};

} // namespace kelp
