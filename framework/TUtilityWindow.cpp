#include "framework/TUtilityWindow.h"

#include "framework/TApplication.h"

#include <stdexcept>

TUtilityWindow::TUtilityWindow(THandler handler, const char* className, bool topLevel)
    : m_handler(std::move(handler)), m_className(className), m_topLevel(topLevel)
{
}

TUtilityWindow::~TUtilityWindow()
{
    if (m_handle) {
        SetWindowLongPtrA(m_handle, GWLP_USERDATA, 0);
        DestroyWindow(m_handle);
    }
}

HWND TUtilityWindow::Handle()
{
    if (m_handle)
        return m_handle;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExA(instance, m_className.c_str(), &windowClass)) {
        windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &TUtilityWindow::WindowProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = m_className.c_str();
        if (!RegisterClassExA(&windowClass))
            throw std::runtime_error("Cannot register window class " + m_className);
    }
    HWND window = CreateWindowExA(m_topLevel ? WS_EX_TOOLWINDOW : 0, m_className.c_str(), "",
                                  m_topLevel ? WS_POPUP : 0, 0, 0, 0, 0,
                                  m_topLevel ? nullptr : HWND_MESSAGE, nullptr, instance, nullptr);
    if (!window)
        throw std::runtime_error("Cannot create window " + m_className);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_handle = window;
    return m_handle;
}

LRESULT CALLBACK TUtilityWindow::WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TUtilityWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && self->m_handler) {
        TMessage message{msg, wParam, lParam, 0};
        try {
            if (self->m_handler(message))
                return message.Result;
        } catch (...) {
            Application().HandleException(std::current_exception());
            return 0;
        }
    }
    if (msg == WM_NCDESTROY && self)
        self->m_handle = nullptr;
    return DefWindowProcA(window, msg, wParam, lParam);
}
