#include "VtPackage/VtNumLed_imp.h"

#include "VtPackage/VtNumLedFormat.h"
#include "VtPackage/VtNumLedGlyphs.h"
#include "kelp/Component/ShapeLED.h"
#include "kelp/System/Assert.h"

#include <algorithm>
#include <cmath>

namespace kelp {

namespace {

const char* const kSource = "VtPackage\\Source\\VtNumLed_imp";

bool SameDateTime(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

// The glyph of the format character, built at x offset `left` of the row.
std::unique_ptr<LED> MakeLED(const VtNumLedGlyph& glyph, int left, SimplePainter* painter, const SegmentColors* colors)
{
    Glyph design = ReadGlyph(glyph.stream, painter);
    const int dx = left - design.cell.left;
    RECT cell = design.cell;
    OffsetRect(&cell, dx, -design.cell.top);
    auto led = std::make_unique<LED>(cell, glyph.states);
    for (std::unique_ptr<Shape>& shape : design.shapes) {
        shape->MoveTo(shape->Left() + dx, shape->Top() - design.cell.top);
        led->AddSegment(std::make_unique<Segment>(std::move(shape), colors));
    }
    return led;
}

} // namespace

VtNumLed_imp::VtNumLed_imp(TWinControl* parent, int width, int height)
    : m_host(std::make_unique<ImageHost>(parent)),
      m_painter(std::make_unique<SimplePainter>(*m_host)),
      m_figure(std::make_unique<CompositeFigure>(0, 0, 0, 0)),
      m_colors{RGB(14, 38, 62), RGB(10, 240, 10)}
{
    GetLocalTime(&m_dateTime);
    m_host->SetBackgroundColor(clBlack);
    m_host->SetSize(std::max(width, 0), std::max(height, 0));
    SetFormat("8888");
}

VtNumLed_imp::~VtNumLed_imp() = default;

void VtNumLed_imp::SetFormat(const std::string& format)
{
    if (format == m_format)
        return;
    LEDList leds;
    int width = 0, height = 0;
    for (char c : format) {
        const VtNumLedGlyph* glyph = FindNumLedGlyph(c);
        if (!glyph)
            return;  // the LEDs made so far go with `leds`
        std::unique_ptr<LED> led = MakeLED(*glyph, width, m_painter.get(), &m_colors);
        const int ledLeft = led->Left();
        width += led->Width();
        height = std::max(height, led->Height());
        leds.Insert(leds.LEDCount(), std::move(led), ledLeft);
    }
    if (leds.LEDCount() == 0)
        return;

    auto figure = std::make_unique<CompositeFigure>(0, 0, width, height);
    for (int i = 0; i < leds.LEDCount(); ++i)
        figure->Add(&leds.At(i));
    m_figure = std::move(figure);
    m_leds = std::move(leds);
    m_format = format;
    m_states.assign(m_leds.LEDCount(), 0);
    for (int i = 0; i < m_leds.LEDCount(); ++i)
        m_states[i] = m_leds.StateCount(i) - 1;
    m_on.assign(m_leds.LEDCount(), true);
    m_figure->Resize(m_host->Width(), m_host->Height());
    ApplyStates();
    m_host->Clear();
    Render();
}

void VtNumLed_imp::SetType(VtNumLedType type)
{
    m_type = type;
    Render();
}

void VtNumLed_imp::SetZeroLeading(bool zeroLeading)
{
    m_zeroLeading = zeroLeading;
    Render();
}

void VtNumLed_imp::SetKeepRatio(bool keepRatio)
{
    m_keepRatio = keepRatio;
    SetBounds(m_host->Image().Left(), m_host->Image().Top(), m_host->Width(), m_host->Height());
}

void VtNumLed_imp::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    TImage& image = m_host->Image();
    image.SetBounds(left, top, image.Width(), image.Height());
    if (m_keepRatio) {
        KELP_ASSERT(Figure()->OriginalWidth() > 0 && Figure()->OriginalHeight() > 0, kSource, 457);
        const double originalWidth = Figure()->OriginalWidth(), originalHeight = Figure()->OriginalHeight();
        const double s = std::min(width / originalWidth, height / originalHeight);
        width = static_cast<int>(std::trunc(originalWidth * s));
        height = static_cast<int>(std::trunc(s * originalHeight));
    }
    m_host->SetSize(width, height);
    m_figure->Resize(width, height);
    m_host->Clear();
    Redraw();
}

void VtNumLed_imp::SetNumber(double number)
{
    if (m_type != nledFloat || number == m_number)
        return;
    m_number = number;
    RenderNumber();
}

void VtNumLed_imp::SetDateTime(const SYSTEMTIME& dateTime)
{
    if ((m_type != nledTime && m_type != nledDate) || SameDateTime(dateTime, m_dateTime))
        return;
    m_dateTime = dateTime;
    RenderDateTime();
}

void VtNumLed_imp::Render()
{
    if (m_type == nledFloat)
        RenderNumber();
    else
        RenderDateTime();
}

void VtNumLed_imp::RenderNumber()
{
    NumberStates(m_format, m_number, m_zeroLeading, m_states);
    ApplyStates();
    Redraw();
}

void VtNumLed_imp::RenderDateTime()
{
    if (m_type == nledTime)
        DateTimeStates(m_format, true, m_dateTime.wHour, m_dateTime.wMinute, m_dateTime.wSecond, m_states);
    else
        DateTimeStates(m_format, false, m_dateTime.wYear, m_dateTime.wMonth, m_dateTime.wDay, m_states);
    ApplyStates();
    Redraw();
}

void VtNumLed_imp::ApplyStates()
{
    for (int i = 0; i < m_leds.LEDCount(); ++i)
        m_leds.SetState(i, m_on[i] ? m_states[i] : 0);
}

void VtNumLed_imp::Redraw()
{
    m_figure->Draw();
    m_host->Flush();
}

void VtNumLed_imp::On(unsigned ledNumber)
{
    if (ledNumber == 0) {
        m_on.assign(m_on.size(), true);
        for (int i = 0; i < m_leds.LEDCount(); ++i)
            m_leds.SetState(i, m_leds.StateCount(i) - 1);
    } else if (ledNumber <= m_on.size()) {
        m_on[ledNumber - 1] = true;
        m_leds.SetState(static_cast<int>(ledNumber - 1), m_states[ledNumber - 1]);
    }
    Redraw();
}

void VtNumLed_imp::Off(unsigned ledNumber)
{
    if (ledNumber == 0) {
        m_on.assign(m_on.size(), false);
        for (int i = 0; i < m_leds.LEDCount(); ++i)
            m_leds.SetState(i, 0);
    } else if (ledNumber <= m_on.size()) {
        m_on[ledNumber - 1] = false;
        m_leds.SetState(static_cast<int>(ledNumber - 1), 0);
    }
    Redraw();
}

void VtNumLed_imp::SetLightColor(TColor color)
{
    m_colors[1] = ColorToRGB(color);
    Redraw();
}

void VtNumLed_imp::SetDarkColor(TColor color)
{
    m_colors[0] = ColorToRGB(color);
    Redraw();
}

void VtNumLed_imp::SetBackgroundColor(TColor color)
{
    m_host->SetBackgroundColor(ColorToRGB(color));
    Repaint();
}

void VtNumLed_imp::SetTransparentColor(TColor color)
{
    m_host->Bitmap().SetTransparentColor(ColorToRGB(color));
}

void VtNumLed_imp::Repaint()
{
    m_host->Clear();
    ApplyStates();
    Redraw();
}

} // namespace kelp
