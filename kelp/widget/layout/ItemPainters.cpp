#include "kelp/widget/layout/ItemPainters.h"

namespace kelp {

namespace {

// Shared handle to a process-wide object that is never freed.
template <typename T>
std::shared_ptr<T> Unowned(T& object)
{
    return std::shared_ptr<T>(&object, [](T*) {});
}

} // namespace

std::shared_ptr<BackgroundPainter> BackgroundPainter::Instance()
{
    static BackgroundPainter painter;
    return Unowned(painter);
}

void BackgroundPainter::PaintBackground(TCanvas& canvas, const RECT& rect)
{
    canvas.FillRect(rect);
}

std::shared_ptr<TextPainter> TextPainter::Instance()
{
    static TextPainter painter;
    return Unowned(painter);
}

void TextPainter::SetStateColor(TCanvas& canvas, UINT state)
{
    if (state & (ODS_GRAYED | ODS_DISABLED))
        canvas.Font().SetColor(grayedTextColor);
    else if (state & ODS_SELECTED)
        canvas.Font().SetColor(highlightTextColor);
}

void TextPainter::DrawText(TCanvas& canvas, const std::string& text, const RECT& rect, UINT format, UINT state)
{
    SetStateColor(canvas, state);
    RECT r = rect;
    DrawTransparentText(canvas, text, r, format);
}

void TextPainter::DrawTextW(TCanvas& canvas, const std::wstring& text, const RECT& rect, UINT format, UINT state)
{
    SetStateColor(canvas, state);
    RECT r = rect;
    DrawTransparentText(canvas, text, r, format);
}

void TextPainter::CalcRect(TCanvas& canvas, const std::string& text, RECT& rect, UINT format)
{
    canvas.DrawText(text, rect, format | DT_CALCRECT);
}

void TextPainter::CalcRectW(TCanvas& canvas, const std::wstring& text, RECT& rect, UINT format)
{
    canvas.DrawTextW(text, rect, format | DT_CALCRECT);
}

std::shared_ptr<ShadowTextPainter> ShadowTextPainter::Create()
{
    return std::make_shared<ShadowTextPainter>();
}

void ShadowTextPainter::DrawText(TCanvas& canvas, const std::string& text, const RECT& rect, UINT format, UINT)
{
    m_renderer->DrawText(canvas, text, rect, format);
}

void ShadowTextPainter::DrawTextW(TCanvas& canvas, const std::wstring& text, const RECT& rect, UINT format, UINT)
{
    m_renderer->DrawTextW(canvas, text, rect, format);
}

} // namespace kelp
