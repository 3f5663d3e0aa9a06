// A small program for the automation's tests: copied to another name it is
// "a program that runs" for a rule; with "hotkey MODIFIERS KEY" it first
// holds that combination, as another program would. It ends by itself
// after a minute at the latest, or when the test ends it.

#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    constexpr DWORD kLifetimeMs = 60000;
    if (argc == 4 && std::strcmp(argv[1], "hotkey") == 0) {
        if (!RegisterHotKey(nullptr, 1, UINT(std::atoi(argv[2])), UINT(std::atoi(argv[3]))))
            return 2;
        // Tells the test that the combination is held now.
        HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, "PellixAutomationHelperReady");
        if (ready) {
            SetEvent(ready);
            CloseHandle(ready);
        }
    }
    Sleep(kLifetimeMs);
    return 0;
}
