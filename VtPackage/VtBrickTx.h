#pragma once
// A brick with a caption drawn over its state bitmap, in a colour per look.
// A brick is never drawn pressed, so the sunken offset is kept but unused.

#include "VtPackage/VtBrick.h"
#include "VtPackage/VtCaptioned.h"
#include "VtPackage/VtCtrlFontColor.h"

class VtBrickTx : public VtCaptioned<VtBrick> {
public:
    explicit VtBrickTx(TComponent* owner);
    ~VtBrickTx() override;

    VtTwoStateFontColor& FontColors() { return m_fontColors; }
    void SetFontColors(const VtTwoStateFontColor& colors) { m_fontColors.Assign(colors); }

    COLORREF GetFontColorOfCurState() const override;
    void DoRepaint() override;
    void Repaint() override { DoRepaint(); }

protected:
    UINT CaptionFormat() const override { return DT_CENTER | DT_VCENTER | DT_SINGLELINE; }

private:
    VtTwoStateFontColor m_fontColors;
};
