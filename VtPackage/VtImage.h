#pragma once
// An image that can show a 32-bit picture with per-pixel alpha over
// whatever lies beneath it on the parent (AlphaChannel), optionally faded
// as a whole by AlphaValue (AlphaBlend). Without AlphaChannel, or with a
// picture of another depth, it draws like a plain image.

#include "framework/controls/TImage.h"

#include <cstdint>

class VtImage : public TImage {
public:
    explicit VtImage(TComponent* owner);

    bool AlphaChannel() const { return m_alphaChannel; }
    void SetAlphaChannel(bool alphaChannel);
    bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool alphaBlend);
    uint8_t AlphaValue() const { return m_alphaValue; }
    void SetAlphaValue(uint8_t value);

protected:
    void PaintControl(TCanvas& canvas) override;

private:
    void UpdateOpacity();

    bool m_alphaChannel = false;
    bool m_alphaBlend = false;
    uint8_t m_alphaValue = 255;
};
