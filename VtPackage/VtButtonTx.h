#pragma once
// A push button with a caption drawn over its state bitmap, in a colour per
// look. Drawn pressed, the caption moves by the sunken offset (2, 2) for
// that one drawing; later redraws while still pressed put it back.

#include "VtPackage/VtButton.h"
#include "VtPackage/VtCaptioned.h"
#include "VtPackage/VtCtrlFontColor.h"

class VtButtonTx : public VtCaptioned<VtButton> {
public:
    explicit VtButtonTx(TComponent* owner);
    ~VtButtonTx() override;

    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);

    VtThreeStateFontColor& FontColors() { return m_fontColors; }
    void SetFontColors(const VtThreeStateFontColor& colors) { m_fontColors.Assign(colors); }

    COLORREF GetFontColorOfCurState() const override;
    void DoRepaint() override;
    void ShowSunken() override;
    void Repaint() override;

protected:
    UINT CaptionFormat() const override;

private:
    VtThreeStateFontColor m_fontColors;
    bool m_wordWrap = false;
};
