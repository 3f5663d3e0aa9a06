#include "screens/history/FactorBox.h"

#include "engine/SavingsHistory.h"

#include <cmath>
#include <cstdio>

namespace historyview {
namespace {

constexpr int kMaxDigits = 5;

} // namespace

std::optional<int> ParseFactor(const std::string& text)
{
    if (text.empty() || text.size() > size_t(kMaxDigits))
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > history::kMaxCo2PerWattHour)
        return std::nullopt;
    return value;
}

FactorBox::~FactorBox()
{
    if (window_)
        DestroyWindow(window_);
}

void FactorBox::Create(HWND parent, const RECT& bounds, HFONT font)
{
    if (window_)
        return;
    window_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_CENTER,
                              bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                              reinterpret_cast<HMENU>(INT_PTR(kControlId)), GetModuleHandleA(nullptr), nullptr);
    if (!window_)
        return;
    SendMessageA(window_, WM_SETFONT, WPARAM(font), FALSE);
    SendMessageA(window_, EM_LIMITTEXT, kMaxDigits, 0);
}

std::string FactorBox::Text() const
{
    char text[kMaxDigits + 2] = "";
    if (window_)
        GetWindowTextA(window_, text, sizeof text);
    return text;
}

void FactorBox::SetReadOnly(bool readOnly)
{
    if (window_)
        SendMessageA(window_, EM_SETREADONLY, readOnly, 0);
}

void FactorBox::SetValue(double gramsPerKilowattHour)
{
    char text[32];
    std::snprintf(text, sizeof text, "%ld", std::lround(gramsPerKilowattHour));
    if (window_)
        SetWindowTextA(window_, text);
}

} // namespace historyview
