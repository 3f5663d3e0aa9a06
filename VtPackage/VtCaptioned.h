#pragma once
// What the captioned skinned controls add to their bitmap control: a
// caption in its own font, drawn over the shown state bitmap inside the
// text bounds. Any resize resets the text bounds to the whole control;
// changing the font or the caption redraws it. The subclass decides the
// colour per look, the drawing format and how the result reaches the
// screen.

#include "VtPackage/VtCaption.h"

#include <string>

template <typename Base>
class VtCaptioned : public Base {
public:
    explicit VtCaptioned(TComponent* owner) : Base(owner)
    {
        m_previousFontChange = Font().OnChange;
        Font().OnChange = [this](TObject* sender) {
            DoRepaint();
            if (m_previousFontChange)
                m_previousFontChange(sender);
        };
    }
    ~VtCaptioned() override { Font().OnChange = m_previousFontChange; }

    TFont& Font() { return m_caption.Font(); }
    const TFont& Font() const { return m_caption.Font(); }
    void SetText(const std::string& text) { this->SetCaption(text); }
    const std::string& GetText() const { return this->Caption(); }
    void SetTextBounds(int left, int top, int width, int height)
    {
        m_caption.SetBounds(left, top, width, height);
        DoRepaint();
    }
    const RECT& TextBounds() const { return m_caption.Bounds(); }
    void SetDisp(int x, int y) { m_caption.SetDisp(x, y); }

    // The caption colour of the requested look, as RGB.
    virtual COLORREF GetFontColorOfCurState() const = 0;
    void DrawText()
    {
        this->DrawOnSurface(m_caption.Drawing(this->Caption(), GetFontColorOfCurState(), CaptionFormat()));
    }
    // Redraws the state bitmap and the caption and brings them on screen.
    virtual void DoRepaint() = 0;

    void ShowBitmap(int index) override
    {
        Base::ShowBitmap(index);
        DoRepaint();
    }
    // The text bounds become the control's whole client area. They take
    // the size the control really gets: while there is a base bitmap a
    // request for another size is turned into the bitmap's size.
    void SetBounds(int left, int top, int width, int height) override
    {
        Base::SetBounds(left, top, width, height);
        m_caption.SetBounds(0, 0, this->Width(), this->Height());
        DoRepaint();
    }

protected:
    virtual UINT CaptionFormat() const = 0;
    VtCaption& CaptionText() { return m_caption; }
    // A colour left unset (clNone) falls back to the font colour.
    COLORREF ResolveColor(TColor color) const { return ColorToRGB(color == clNone ? Font().Color() : color); }

    void CaptionChanged() override
    {
        Base::CaptionChanged();
        DoRepaint();
    }

private:
    VtCaption m_caption;
    TNotifyEvent m_previousFontChange;
};
