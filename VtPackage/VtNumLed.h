#pragma once
// A numeric LED display: a number, a time or a date shown as a row of
// vector-drawn LED glyphs, one per character of Format:
//   "8"                  a digit of the number
//   "H"/"M"/"S"          hour, minute, second digits (either case)
//   "Y"/"M"/"D"          year, month, day digits (either case)
//   "."  "^"  "C"  "&"   decimal point, degree sign, letter C, RPM unit
// The control itself draws nothing: its pixels are in an image control it
// owns and keeps in the same parent, at the same place and size.

#include "VtPackage/VtLedColors.h"
#include "VtPackage/VtNumLedTypes.h"
#include "framework/controls/TGraphicControl.h"
#include "framework/controls/TImage.h"

#include <memory>
#include <string>
#include <windows.h>

class TClassRegistry;

namespace kelp {
class VtNumLed_imp;
}

class VtNumLed : public TGraphicControl {
public:
    explicit VtNumLed(TComponent* owner);
    ~VtNumLed() override;

    VtNumLedType GetType() const;
    void SetType(VtNumLedType type);
    VtNumLedStyle GetStyle() const;
    void SetStyle(VtNumLedStyle style);
    bool GetZeroLeading() const;
    void SetZeroLeading(bool zeroLeading);
    // With KeepRatio the control shrinks to the glyph row's aspect ratio.
    bool GetKeepRatio() const;
    void SetKeepRatio(bool keepRatio);
    // An empty format, or one with a character that is no glyph, is ignored.
    const std::string& GetFormat() const;
    void SetFormat(const std::string& format);
    bool GetTransparent() const;
    void SetTransparent(bool transparent);
    VtLedColors& LedColors() { return *m_ledColors; }
    void SetLedColors(const VtLedColors& colors) { m_ledColors->Assign(colors); }

    // The number counts for nledFloat, the date and time for nledTime and
    // nledDate; a value of the other kind is ignored.
    void SetValue(double number);
    void SetValue(const SYSTEMTIME& dateTime);
    // False when the display does not show that kind of value.
    bool GetValue(double& number) const;
    bool GetValue(SYSTEMTIME& dateTime) const;

    // LED 0 means every LED, 1..count the LED at that format position.
    // On(0) lights every segment; On(n) shows LED n's value again; Off
    // darkens.
    void On(unsigned ledNumber = 0);
    void Off(unsigned ledNumber = 0);

    void Repaint() override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* parent) override;

    // The image control that shows the display.
    TImage& Image();

protected:
    void PaintControl(TCanvas&) override {}
    void VisibleChanged() override;

private:
    friend class VtLedColors;
    kelp::VtNumLed_imp& Imp() const { return *m_imp; }

    std::unique_ptr<kelp::VtNumLed_imp> m_imp;
    std::unique_ptr<VtLedColors> m_ledColors;
};

// Makes VtNumLed and its colours streamable from form layouts and puts the
// display on the "VtComponents" palette page. Safe to call more than once.
void RegisterVtNumLed(TClassRegistry& registry);
