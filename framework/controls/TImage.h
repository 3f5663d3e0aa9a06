#pragma once
// Shows a bitmap (the picture). With AutoSize the control takes the
// picture's size; with Transparent the picture's transparent colour is not
// drawn; with Stretch the picture fills the control. Canvas() draws into the
// picture itself, so drawing shows at the next paint.

#include "framework/controls/TGraphicControl.h"
#include "framework/graphics/Bitmap.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    TBitmap& Picture() { return m_picture; }
    // Copies the bitmap into the picture.
    void SetPicture(const TBitmap& bitmap) { m_picture.Assign(bitmap); }
    TCanvas& Canvas() override { return m_picture.Canvas(); }

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return m_picture.Transparent(); }
    void SetTransparent(bool transparent) { m_picture.SetTransparent(transparent); }
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);

protected:
    void PaintControl(TCanvas& canvas) override;

private:
    void PictureChanged();

    TBitmap m_picture;
    bool m_autoSize = false;
    bool m_stretch = false;
};
