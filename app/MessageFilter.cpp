#include "app/MessageFilter.h"

namespace {
using ChangeFilter = BOOL(WINAPI*)(UINT message, DWORD action);
constexpr DWORD kFilterAdd = 1;

ChangeFilter FilterFunction()
{
    // Looked up once: the answer cannot change while the process runs.
    static const ChangeFilter function = [] {
        HMODULE user = GetModuleHandleA("user32.dll");
        return user ? reinterpret_cast<ChangeFilter>(reinterpret_cast<void*>(GetProcAddress(user, "ChangeWindowMessageFilter")))
                    : nullptr;
    }();
    return function;
}
} // namespace

int AllowFromLowerIntegrity(std::initializer_list<UINT> messages)
{
    const ChangeFilter change = FilterFunction();
    if (!change)
        return 0;
    int accepted = 0;
    for (UINT message : messages)
        if (change(message, kFilterAdd))
            ++accepted;
    return accepted;
}
