#pragma once
// The box in which the user types the local grid's emission factor, in whole
// grams of CO2 per kilowatt-hour: a system edit control (digits only, five at
// most) owned by this object and placed on the history window, and the
// reading of what was typed.

#include <windows.h>

#include <optional>
#include <string>

namespace historyview {

// The factor typed, when it is one the program takes (1 to the bound);
// nothing for an empty, zero or oversized entry.
std::optional<int> ParseFactor(const std::string& text);

class FactorBox {
public:
    static constexpr int kControlId = 101;

    FactorBox() = default;
    ~FactorBox();
    FactorBox(const FactorBox&) = delete;
    FactorBox& operator=(const FactorBox&) = delete;

    // Makes the control on `parent` at `bounds` (parent's client area).
    void Create(HWND parent, const RECT& bounds, HFONT font);
    HWND Handle() const { return window_; }
    std::string Text() const;
    void SetValue(double gramsPerKilowattHour);
    // Read-only: the text is shown and can be read out, but not typed over.
    void SetReadOnly(bool readOnly);

private:
    HWND window_ = nullptr;
};

} // namespace historyview
