#pragma once
// The logic of the numeric LED display: a row of vector LED glyphs, one per
// format character, drawn onto an owned image control that shows in the
// display's parent. Each LED has a stored state (the value it shows) and an
// on flag; an LED that is off shows state 0, all segments dark.

#include "VtPackage/VtNumLedTypes.h"
#include "kelp/Component/ImageHost.h"
#include "kelp/Component/LED.h"
#include "kelp/Graphics/CompositeFigure.h"
#include "kelp/Graphics/SimplePainter.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace kelp {

class VtNumLed_imp {
public:
    // The image is placed in parent; the row is sized to width x height.
    VtNumLed_imp(TWinControl* parent, int width, int height);
    ~VtNumLed_imp();
    VtNumLed_imp(const VtNumLed_imp&) = delete;
    VtNumLed_imp& operator=(const VtNumLed_imp&) = delete;

    TImage& Image() { return m_host->Image(); }
    void SetParent(TWinControl* parent) { m_host->Image().SetParent(parent); }
    // Places the image; with KeepRatio the size shrinks to the row's aspect
    // ratio. Width() and Height() give the resulting size.
    void SetBounds(int left, int top, int width, int height);
    int Width() const { return m_host->Width(); }
    int Height() const { return m_host->Height(); }

    // An empty format or one with a character that is no glyph is ignored.
    void SetFormat(const std::string& format);
    const std::string& Format() const { return m_format; }
    void SetType(VtNumLedType type);
    VtNumLedType Type() const { return m_type; }
    void SetStyle(VtNumLedStyle style) { m_style = style; }
    VtNumLedStyle Style() const { return m_style; }
    void SetZeroLeading(bool zeroLeading);
    bool ZeroLeading() const { return m_zeroLeading; }
    // Stores the flag and applies the current bounds again.
    void SetKeepRatio(bool keepRatio);
    bool KeepRatio() const { return m_keepRatio; }

    // Ignored unless the type is nledFloat.
    void SetNumber(double number);
    double Number() const { return m_number; }
    // Ignored unless the type is nledTime or nledDate.
    void SetDateTime(const SYSTEMTIME& dateTime);
    const SYSTEMTIME& DateTime() const { return m_dateTime; }

    // 0 means every LED, 1..count one LED; larger numbers only redraw.
    // On(0) lights every segment of every LED; On(n) shows LED n's value.
    void On(unsigned ledNumber);
    void Off(unsigned ledNumber);

    TColor LightColor() const { return m_colors[1]; }
    void SetLightColor(TColor color);
    TColor DarkColor() const { return m_colors[0]; }
    void SetDarkColor(TColor color);
    TColor BackgroundColor() const { return m_host->BackgroundColor(); }
    void SetBackgroundColor(TColor color);
    TColor TransparentColor() const { return m_host->Bitmap().TransparentColor(); }
    void SetTransparentColor(TColor color);
    bool Transparent() const { return m_host->Image().Transparent(); }
    void SetTransparent(bool transparent) { m_host->Image().SetTransparent(transparent); }

    // Clears to the background and draws every LED again.
    void Repaint();

    CompositeFigure* Figure() const { return m_figure.get(); }
    int LEDCount() const { return m_leds.LEDCount(); }
    // The state LED index (0-based) shows now.
    int ShownState(int index) const { return m_leds.State(index); }

private:
    void Render();
    void RenderNumber();
    void RenderDateTime();
    void ApplyStates();
    void Redraw();

    std::unique_ptr<ImageHost> m_host;
    std::unique_ptr<SimplePainter> m_painter;
    std::unique_ptr<CompositeFigure> m_figure;
    LEDList m_leds;  // the figure's children, in format order
    SegmentColors m_colors;
    std::string m_format;
    VtNumLedType m_type = nledFloat;
    VtNumLedStyle m_style = nledRectangle7_s;
    bool m_zeroLeading = false;
    bool m_keepRatio = false;
    std::vector<int> m_states;
    std::vector<bool> m_on;
    double m_number = 0.0;
    SYSTEMTIME m_dateTime;
};

} // namespace kelp
