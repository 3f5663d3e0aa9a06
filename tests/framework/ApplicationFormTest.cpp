#include "framework/TForm.h"
#include "framework/TTimer.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kProbeMessage = WM_USER + 77;

// Records the probe messages that reach its window procedure.
class TProbeForm : public TForm {
public:
    explicit TProbeForm(TComponent* owner) : TForm(owner) { SetCaption("Probe window"); }
    std::vector<WPARAM> received;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == kProbeMessage)
            received.push_back(message.WParam);
        TForm::WndProc(message);
    }
};

// Runs a step from the message loop shortly after Run starts.
TTimer* After(TComponent* owner, unsigned ms, std::function<void()> step)
{
    auto* timer = new TTimer(owner);
    timer->SetInterval(ms);
    timer->OnTimer = [timer, step](TObject*) {
        timer->SetEnabled(false);
        step();
    };
    return timer;
}

} // namespace

TEST(Application, MessageHookSeesMessagesFirstAndCanSwallowThem)
{
    TProbeForm form(nullptr);
    std::vector<WPARAM> hooked;
    const int id = Application().AddMessageHook([&](MSG& msg, bool& handled) {
        if (msg.message != kProbeMessage)
            return;
        hooked.push_back(msg.wParam);
        handled = msg.wParam == 1;
    });
    PostMessageA(form.Handle(), kProbeMessage, 1, 0);
    PostMessageA(form.Handle(), kProbeMessage, 2, 0);
    PumpUntil([&] { return hooked.size() == 2; });
    Application().RemoveMessageHook(id);
    PostMessageA(form.Handle(), kProbeMessage, 3, 0);
    PumpUntil([&] { return form.received.size() == 2; });

    EXPECT_EQ(hooked, (std::vector<WPARAM>{1, 2}));
    EXPECT_EQ(form.received, (std::vector<WPARAM>{2, 3}));
}

TEST(Application, ClosingTheMainFormEndsRunAndFreesTheForms)
{
    auto* form = Application().CreateForm<TProbeForm>();
    ASSERT_EQ(Application().MainForm(), form);
    HWND found = nullptr;
    bool visibleAtStart = false;
    After(form, 30, [&] {
        found = FindWindowA("TProbeForm", "Probe window");
        visibleAtStart = IsWindowVisible(found) != 0;
        PostMessageA(found, WM_CLOSE, 0, 0);
    });
    Application().Run();

    EXPECT_NE(found, nullptr) << "no window of the form's class and caption";
    EXPECT_TRUE(visibleAtStart);
    EXPECT_EQ(Application().MainForm(), nullptr);
    EXPECT_EQ(Application().ComponentCount(), 0);
    EXPECT_FALSE(IsWindow(found));
}

TEST(Application, MainFormStaysHiddenWhenToldNotToShowIt)
{
    auto* form = Application().CreateForm<TProbeForm>();
    Application().SetShowMainForm(false);
    bool visible = true;
    After(form, 30, [&] {
        visible = form->Visible() || (form->HandleAllocated() && IsWindowVisible(form->Handle()));
        Application().Terminate();
    });
    Application().Run();
    Application().SetShowMainForm(true);
    EXPECT_FALSE(visible);
}

TEST(Application, ExceptionFromAHandlerIsReportedAndTheLoopGoesOn)
{
    TComponent owner(nullptr);
    std::vector<std::string> reported;
    Application().OnException = [&](TObject*, const std::string& message) { reported.push_back(message); };
    After(&owner, 10, [] { throw std::runtime_error("handler failed"); });
    bool laterStepRan = false;
    After(&owner, 60, [&] { laterStepRan = true; });
    PumpUntil([&] { return laterStepRan; });
    Application().OnException = nullptr;
    EXPECT_EQ(reported, (std::vector<std::string>{"handler failed"}));
    EXPECT_TRUE(laterStepRan);
}

// What a handler inside a modal loop queues runs once that loop has ended,
// in order, and one that fails does not stop the others.
TEST(Application, QueuedCallsRunAfterTheModalLoopTheyWereQueuedIn)
{
    TProbeForm form(nullptr);
    std::vector<std::string> order;
    std::vector<std::string> reported;
    Application().OnException = [&](TObject*, const std::string& message) { reported.push_back(message); };
    After(&form, 20, [&] {
        form.SetModalResult(mrOk);
        Application().Queue([&] { order.push_back("first"); });
        Application().Queue([] { throw std::runtime_error("queued call failed"); });
        Application().Queue([&] { order.push_back("second"); });
    });
    form.ShowModal();
    order.push_back("modal loop over");
    PumpUntil([&] { return order.size() == 3; });
    Application().OnException = nullptr;
    EXPECT_EQ(order, (std::vector<std::string>{"modal loop over", "first", "second"}));
    EXPECT_EQ(reported, (std::vector<std::string>{"queued call failed"}));
}

TEST(Form, ShowModalReturnsTheResultSetWhileItRuns)
{
    TProbeForm form(nullptr);
    After(&form, 30, [&] {
        EXPECT_TRUE(form.IsModal());
        EXPECT_TRUE(IsWindowVisible(form.Handle()));
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.IsModal());
}

TEST(Form, ClosingAModalFormCancelsUnlessCloseQueryRefuses)
{
    TProbeForm form(nullptr);
    int queries = 0;
    form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
    After(&form, 20, [&] {
        PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
        After(&form, 40, [&] {
            EXPECT_TRUE(form.Visible()) << "closed although CloseQuery refused";
            PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
        });
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(queries, 2);
}

TEST(Form, ModalFormDisablesTheOtherWindowsUntilItEnds)
{
    TProbeForm other(nullptr);
    other.Show();
    TProbeForm dialog(nullptr);
    bool otherEnabled = true;
    After(&dialog, 20, [&] {
        otherEnabled = IsWindowEnabled(other.Handle()) != 0;
        dialog.SetModalResult(mrYes);
    });
    EXPECT_EQ(dialog.ShowModal(), mrYes);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(other.Handle()));
}

TEST(Form, ClosingASecondaryFormHidesItAndFiresOnClose)
{
    TProbeForm form(nullptr);
    form.Show();
    std::vector<std::string> events;
    form.OnHide = [&](TObject*) { events.push_back("hide"); };
    form.OnClose = [&](TObject*, TCloseAction& action) {
        events.push_back("close");
        EXPECT_EQ(action, TCloseAction::Hide);
    };
    form.Close();
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(events, (std::vector<std::string>{"close", "hide"}));
}

TEST(Form, WindowlessChildGetsMouseInItsOwnCoordinatesAndClicks)
{
    TProbeForm form(nullptr);
    form.SetBorderStyle(TBorderStyle::None);
    form.SetBounds(10, 10, 200, 100);
    auto* child = new TControl(&form);
    child->SetParent(&form);
    child->SetBounds(50, 20, 40, 30);
    form.Show();

    std::vector<POINT> downs;
    int clicks = 0;
    child->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { downs.push_back({x, y}); };
    child->OnClick = [&](TObject*) { ++clicks; };

    HWND window = form.Handle();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(55, 26));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(56, 27));
    // Pressed on the child, released outside it: no click.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 30));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 80));
    // A press beside the child is the form's.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].x, 5);
    EXPECT_EQ(downs[0].y, 6);
    EXPECT_EQ(clicks, 1);
}

TEST(Form, WindowedChildrenGetTheirWindowsWithTheForm)
{
    TProbeForm form(nullptr);
    auto* child = new TWinControl(&form);
    child->SetParent(&form);
    child->SetBounds(10, 10, 50, 40);
    EXPECT_EQ(child->ClientWidth(), 50);
    EXPECT_FALSE(form.HandleAllocated()) << "asking a child's size created the form's window";

    form.Show();
    ASSERT_TRUE(child->HandleAllocated());
    EXPECT_EQ(GetParent(child->Handle()), form.Handle());
    RECT bounds;
    GetWindowRect(child->Handle(), &bounds);
    MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.right - bounds.left, 50);

    HWND childWindow = child->Handle();
    delete child;
    EXPECT_EQ(form.ControlCount(), 0);
    EXPECT_FALSE(IsWindow(childWindow));
}

namespace {

// Keeps a fixed size whatever it is asked for, as bitmap-sized controls do.
template <class Base>
class TFixedSize : public Base {
public:
    explicit TFixedSize(TComponent* owner) : Base(owner) {}

protected:
    bool CanResize(int& width, int& height) override
    {
        width = 30;
        height = 20;
        return true;
    }
};

} // namespace

TEST(Control, CanResizeDecidesEverySizeChange)
{
    TProbeForm form(nullptr);
    auto* windowless = new TFixedSize<TControl>(&form);
    windowless->SetParent(&form);
    windowless->SetBounds(5, 6, 100, 100);
    EXPECT_EQ(windowless->Left(), 5);
    EXPECT_EQ(windowless->Width(), 30);
    EXPECT_EQ(windowless->Height(), 20);

    auto* windowed = new TFixedSize<TWinControl>(&form);
    windowed->SetParent(&form);
    form.Show();
    // A size change that does not come through SetBounds.
    SetWindowPos(windowed->Handle(), nullptr, 0, 0, 90, 70, SWP_NOMOVE | SWP_NOZORDER);
    RECT bounds;
    GetWindowRect(windowed->Handle(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 30);
    EXPECT_EQ(bounds.bottom - bounds.top, 20);
    EXPECT_EQ(windowed->Width(), 30);
}

TEST(Form, PlacementAndStyleOptions)
{
    TProbeForm form(nullptr);
    form.SetFormStyle(TFormStyle::StayOnTop);
    form.SetPosition(TPosition::ScreenCenter);
    form.SetBounds(0, 0, 200, 100);
    form.Show();
    EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(form.Left(), (GetSystemMetrics(SM_CXSCREEN) - 200) / 2);
    EXPECT_EQ(form.Top(), (GetSystemMetrics(SM_CYSCREEN) - 100) / 2);

    // Only the first show places the form.
    form.Hide();
    form.SetLeft(3);
    form.Show();
    EXPECT_EQ(form.Left(), 3);

    form.SetFormStyle(TFormStyle::Normal);
    EXPECT_FALSE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST(Form, ParentFormIsFoundThroughNestedControls)
{
    TProbeForm form(nullptr);
    auto* panel = new TWinControl(&form);
    panel->SetParent(&form);
    auto* inner = new TControl(&form);
    inner->SetParent(panel);
    TControl orphan(nullptr);
    EXPECT_EQ(GetParentForm(inner), &form);
    EXPECT_EQ(GetParentForm(&form), &form);
    EXPECT_EQ(GetParentForm(&orphan), nullptr);
}

TEST(Hint, AppearsOverAControlWithAHintAndGoesOnAPress)
{
    TProbeForm form(nullptr);
    form.SetBorderStyle(TBorderStyle::None);
    form.SetBounds(100, 100, 200, 100);
    auto* plain = new TControl(&form);
    plain->SetParent(&form);
    plain->SetBounds(0, 0, 40, 40);
    auto* hinted = new TControl(&form);
    hinted->SetParent(&form);
    hinted->SetBounds(50, 20, 40, 30);
    hinted->SetHint("Turbo mode");
    hinted->SetShowHint(true);
    form.Show();
    THintWindow& hint = Application().Hint();
    hint.SetHintPause(50);
    HWND window = form.Handle();

    SetCursorPos(100 + 10, 100 + 10);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    PumpFor(200);
    EXPECT_FALSE(hint.Showing()) << "a control without a hint showed one";

    SetCursorPos(100 + 60, 100 + 30);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(60, 30));
    ASSERT_TRUE(PumpUntil([&] { return hint.Showing(); }, 2000));
    char text[64] = {};
    GetWindowTextA(hint.Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Turbo mode");

    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 30));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(60, 30));
    EXPECT_FALSE(hint.Showing());

    // The subject going away must not leave the hint pointing at it.
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(11, 11));
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(61, 31));
    delete hinted;
    PumpFor(200);
    EXPECT_FALSE(hint.Showing());
    hint.SetHintPause(500);
}

TEST(Form, ShowHandlerRunsOncePerShowEvenWhenItShowsTheWindowAgain)
{
    TForm form(nullptr);
    int runs = 0;
    form.OnShow = [&](TObject*) {
        ++runs;
        // What a handler that forces its window forward does: the window is
        // not visible yet, so this shows it once more from inside the handler.
        ShowWindow(form.Handle(), SW_SHOW);
    };
    form.Show();
    PumpFor(100);
    EXPECT_EQ(runs, 1);
    form.Hide();
    form.Show();
    PumpFor(100);
    EXPECT_EQ(runs, 2) << "the next show runs the handler again";
}

namespace {

// Count how often they are drawn.
class TCountedControl : public TControl {
public:
    explicit TCountedControl(TComponent* owner) : TControl(owner) {}
    int paints = 0;

    void Paint(HDC) override { ++paints; }
};

class TCountedWinControl : public TWinControl {
public:
    explicit TCountedWinControl(TComponent* owner) : TWinControl(owner) {}
    int paints = 0;

protected:
    void PaintWindow(HDC) override { ++paints; }
};

} // namespace

TEST(Control, ChangesAreDrawnWhetherMadeWhileTheFormIsHiddenOrShown)
{
    TProbeForm form(nullptr);
    form.SetBorderStyle(TBorderStyle::None);
    form.SetBounds(10, 10, 200, 100);
    auto* windowless = new TCountedControl(&form);
    windowless->SetParent(&form);
    windowless->SetBounds(10, 10, 40, 30);
    auto* windowed = new TCountedWinControl(&form);
    windowed->SetParent(&form);
    windowed->SetBounds(100, 10, 40, 30);
    form.HandleNeeded();
    PumpFor(50);
    const auto drawn = [&] { return windowless->paints > 0 && windowed->paints > 0; };

    // Built while hidden, as the forms are at start: showing draws them.
    windowless->SetColor(0x0000FF);
    windowed->SetColor(0x0000FF);
    form.Show();
    EXPECT_TRUE(PumpUntil(drawn, 2000)) << windowless->paints << " " << windowed->paints;

    // On screen, every change is drawn again.
    PumpFor(50);
    windowless->paints = windowed->paints = 0;
    windowless->SetColor(0xFF0000);
    windowed->SetColor(0xFF0000);
    EXPECT_TRUE(PumpUntil(drawn, 2000)) << windowless->paints << " " << windowed->paints;

    // Hidden again, changes wait for the next show.
    form.Hide();
    PumpFor(50);
    windowless->paints = windowed->paints = 0;
    windowless->SetColor(0x00FF00);
    windowed->SetColor(0x00FF00);
    form.Show();
    EXPECT_TRUE(PumpUntil(drawn, 2000)) << windowless->paints << " " << windowed->paints;
}

// The loop waits for a watched event as for a message, without a thread:
// a signal runs its handler on the loop's thread, a message still ends the
// wait, and an unwatched event is left alone.
TEST(Application, WatchedHandlesWakeTheLoopOnItsThread)
{
    TProbeForm form(nullptr);
    const HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    std::vector<DWORD> signalledOn;
    const int id = Application().WatchHandle(event, [&] { signalledOn.push_back(GetCurrentThreadId()); });
    Application().ProcessMessages();

    std::thread([event] {
        Sleep(50);
        SetEvent(event);
    }).join();
    Application().HandleMessage();  // would wait for ever without the watch
    EXPECT_EQ(signalledOn, std::vector<DWORD>{GetCurrentThreadId()});

    PostMessageA(form.Handle(), kProbeMessage, 7, 0);
    Application().HandleMessage();
    Application().ProcessMessages();
    EXPECT_EQ(form.received, std::vector<WPARAM>{7});
    EXPECT_EQ(signalledOn.size(), 1u) << "a message is no signal";

    Application().UnwatchHandle(id);
    SetEvent(event);
    PostMessageA(form.Handle(), kProbeMessage, 8, 0);
    Application().HandleMessage();
    Application().ProcessMessages();
    EXPECT_EQ(signalledOn.size(), 1u);
    CloseHandle(event);
}
