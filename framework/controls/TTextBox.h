#pragma once
// A one-line box the user types into: the system's edit control inside a
// window of the framework, so that the box is a tab stop like any other
// control (Tab, Shift+Tab, Enter and Escape typed in it go to the form) and
// screen readers find it among the form's controls. The box is drawn as a
// well in its colour with a hairline that takes the focus colour while the
// caret is in it.

#include "framework/TWinControl.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"

#include <string>

class TTextBox : public TWinControl {
public:
    explicit TTextBox(TComponent* owner);
    ~TTextBox() override;

    // The text typed; setting it does not fire OnChange.
    std::string Value() const;
    void SetValue(const std::string& value);
    // At most this many characters are taken (0: the system's limit).
    void SetMaxLength(int length);

    TFont& Font() { return m_font; }
    // The hairline around the well, unfocused and focused.
    void SetFrameColors(TColor normal, TColor focused);

    // After every change the user makes.
    TNotifyEvent OnChange;

    void SetFocus() override;
    std::string AccValue() const override { return Value(); }
    TAccState AccState() const override;

protected:
    void HandleCreated() override;
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    void BoundsChanged() override;
    void EnabledChanged() override;

private:
    static LRESULT CALLBACK EditProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    RECT EditBounds() const;
    void ForgetEdit();

    HWND m_edit = nullptr;
    WNDPROC m_editProc = nullptr;
    // Kept while there is no window yet.
    std::string m_value;
    int m_maxLength = 0;
    bool m_settingValue = false;
    bool m_editFocused = false;
    TFont m_font;
    TBrush m_well;
    TColor m_frame = 0x00100C0A;
    TColor m_frameFocused = 0x00F7C34F;
};
