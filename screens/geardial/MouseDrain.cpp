#include "screens/geardial/MouseDrain.h"

namespace geardial {

namespace {
constexpr UINT kFirstMouseMessage = 0x200;
constexpr UINT kLastMouseMessage = 0x20D;
} // namespace

void DrainMouseMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&msg, nullptr, kFirstMouseMessage, kLastMouseMessage, PM_REMOVE)) {
        }
        Sleep(1);
    }
}

} // namespace geardial
