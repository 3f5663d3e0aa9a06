#pragma once
// A hidden window owned by an object that is not a control (the
// application, timers): it hands every message to a function. Created on
// first use of Handle(), destroyed with the object.

#include "framework/TMessage.h"

#include <string>

class TUtilityWindow {
public:
    // Returns true when it handled the message (Result is then used);
    // false leaves the message to the system's default handling.
    using THandler = std::function<bool(TMessage& message)>;

    // A message-only window by default; a top-level one (hidden) receives
    // broadcasts and can be found by class and caption.
    explicit TUtilityWindow(THandler handler, const char* className = "TPUtilWindow", bool topLevel = false);
    ~TUtilityWindow();
    TUtilityWindow(const TUtilityWindow&) = delete;
    TUtilityWindow& operator=(const TUtilityWindow&) = delete;

    HWND Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    THandler m_handler;
    std::string m_className;
    bool m_topLevel;
    HWND m_handle = nullptr;
};
