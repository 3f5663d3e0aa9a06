// Visual check of the shaped windows on a real display: shows a region-cut
// and a layered form with a magenta-keyed skin, drags the first with a real
// left-button drag on its image and tries the same with the right button on
// the second. It prints the window positions and pauses at two points so
// that a script can take screenshots: it writes "shot <n>" and waits for the
// file "skinshot-<n>.done" in the current folder.

#include "framework/TApplication.h"
#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "kelp/widget/LayeredShapedForm.h"
#include "kelp/widget/RegionShapedForm.h"

#include <atomic>
#include <cstdio>
#include <thread>
#include <windows.h>

namespace {

void PaintSkin(TBitmap& bitmap, const char* label)
{
    bitmap.SetSize(240, 180);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(RECT{0, 0, 240, 180});
    canvas.Brush().SetColor(0x804000);
    canvas.Pen().SetColor(0x804000);
    canvas.Ellipse(0, 0, 240, 180);
    canvas.Brush().SetColor(0x00D0FF);
    canvas.Pen().SetColor(0x00D0FF);
    canvas.Rectangle(70, 60, 170, 120);
    canvas.Font().SetHeight(-20);
    canvas.Font().SetColor(clBlack);
    RECT text{70, 60, 170, 120};
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    canvas.DrawText(label, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void Pump(int milliseconds)
{
    DWORD end = GetTickCount() + milliseconds;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void Shot(int n)
{
    std::printf("shot %d\n", n);
    std::fflush(stdout);
    char done[32];
    std::snprintf(done, sizeof(done), "skinshot-%d.done", n);
    for (int i = 0; i < 3000 && GetFileAttributesA(done) == INVALID_FILE_ATTRIBUTES; ++i)
        Pump(10);
    DeleteFileA(done);
}

void Mouse(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
    Sleep(50);
}

// A press on (x, y), a move of (dx, dy) in steps and a release, on its own
// thread: the main thread sits in the system's move loop meanwhile.
void Drag(int x, int y, int dx, int dy, DWORD down, DWORD up)
{
    SetCursorPos(x, y);
    Sleep(100);
    Mouse(down);
    for (int i = 1; i <= 10; ++i) {
        SetCursorPos(x + dx * i / 10, y + dy * i / 10);
        Mouse(MOUSEEVENTF_MOVE);
    }
    Mouse(up);
}

POINT Position(TForm& form)
{
    RECT r;
    GetWindowRect(form.Handle(), &r);
    return POINT{r.left, r.top};
}

void DragOnThread(TForm& form, int dx, int dy, DWORD down, DWORD up)
{
    POINT at = Position(form);
    std::atomic<bool> finished{false};
    std::thread driver([&] {
        Drag(at.x + 120, at.y + 90, dx, dy, down, up);
        finished = true;
    });
    while (!finished)
        Pump(20);
    driver.join();
    Pump(300);
}

} // namespace

int main()
{
    Application();
    TForm regionForm(nullptr), layeredForm(nullptr);
    regionForm.SetName("RegionForm");
    layeredForm.SetName("LayeredForm");
    TImage* regionImage = new TImage(&regionForm);
    TImage* layeredImage = new TImage(&layeredForm);
    regionImage->SetParent(&regionForm);
    layeredImage->SetParent(&layeredForm);
    PaintSkin(regionImage->Picture(), "Region");
    PaintSkin(layeredImage->Picture(), "Layered");
    regionForm.SetBounds(60, 60, 300, 300);
    layeredForm.SetBounds(420, 60, 300, 300);

    kelp::RegionShapedForm regionShape;
    kelp::LayeredShapedForm layeredShape;
    bool attached = regionShape.Attach(regionImage) && layeredShape.Attach(layeredImage);
    regionForm.Show();
    layeredForm.Show();
    Pump(1500);

    POINT region0 = Position(regionForm), layered0 = Position(layeredForm);
    std::printf("attached %d, region form at %ld,%ld, layered form at %ld,%ld\n", attached, region0.x, region0.y,
                layered0.x, layered0.y);
    Shot(1);

    SetForegroundWindow(regionForm.Handle());
    DragOnThread(regionForm, 150, 200, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    SetForegroundWindow(layeredForm.Handle());
    DragOnThread(layeredForm, 100, 200, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);

    POINT region1 = Position(regionForm), layered1 = Position(layeredForm);
    bool leftMoved = region1.x - region0.x == 150 && region1.y - region0.y == 200;
    bool rightStayed = layered1.x == layered0.x && layered1.y == layered0.y;
    std::printf("left drag moved the region form to %ld,%ld: %s\n", region1.x, region1.y, leftMoved ? "yes" : "NO");
    std::printf("right drag left the layered form at %ld,%ld: %s\n", layered1.x, layered1.y, rightStayed ? "yes" : "NO");
    Shot(2);
    std::fflush(stdout);
    return attached && leftMoved && rightStayed ? 0 : 1;
}
