// A message hook the program test places on the running program's window
// thread: on the registered message "PellixTestReadWindow" it copies what
// the window shows into "window-pixels.bin" beside this library (width,
// height, then rows of 32-bit BGRX pixels from the top). A window's
// pixels can only be read inside its own process.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

HMODULE self = nullptr;

std::string OutputPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "window-pixels.bin";
}

void SaveWindowPixels(HWND window)
{
    // Painted now, so that the copy shows the window's present state.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;
    HDC source = GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const std::string path = OutputPath();
    const std::string partial = path + ".part";
    if (FILE* file = std::fopen(partial.c_str(), "wb")) {
        const int size[2] = {width, height};
        std::fwrite(size, sizeof size, 1, file);
        std::fwrite(bits, 4, size_t(width) * height, file);
        std::fclose(file);
        MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ReadWindowHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT request = RegisterWindowMessageA("PellixTestReadWindow");
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message && message->message == request)
        SaveWindowPixels(message->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        self = instance;
    return TRUE;
}
