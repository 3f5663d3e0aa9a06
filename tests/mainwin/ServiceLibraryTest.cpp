// The main window's registration with the system service, through the
// service library of the virtual board.

#include "app/SystemServiceNotify.h"
#include "board/core/BoardStore.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

const std::string boardState = boardtest::UseOwnBoardState("mainwin-service");

std::optional<std::string> Knob(const char* name)
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    return state.Knob(name);
}

void SetKnob(const char* name, const char* value)
{
    ASSERT_TRUE(vboard::BoardStore().Update([&](vboard::BoardState& state) {
        state.knobs[name] = value;
        return true;
    }));
}

// A window of this process to register.
class Window {
public:
    Window() : handle_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~Window() { DestroyWindow(handle_); }
    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

} // namespace

TEST(ServiceRegistration, RefusedAttemptsFailUntilTheServiceAcceptsTheWindow)
{
    Window window;
    SetKnob("vantorservice_refusals", "2");
    EXPECT_FALSE(RegisterServiceNotify(window.Handle()));
    EXPECT_FALSE(RegisterServiceNotify(window.Handle()));
    EXPECT_EQ(Knob("vantorservice_window"), std::nullopt);
    EXPECT_TRUE(RegisterServiceNotify(window.Handle()));
    EXPECT_EQ(Knob("vantorservice_window"), std::to_string(uintptr_t(window.Handle())));
    EXPECT_EQ(Knob("vantorservice_client"), "70714792-4D69-4785-8BF0-2572169B3F30");
    EXPECT_EQ(Knob("vantorservice_attempts"), "3");
}

TEST(ServiceRegistration, OnlyTheRegisteredWindowIsUnregistered)
{
    Window registered;
    Window other;
    ASSERT_TRUE(RegisterServiceNotify(registered.Handle()));
    EXPECT_FALSE(VtSysSvr_UnregisterNotify(other.Handle(), L"70714792-4D69-4785-8BF0-2572169B3F30"));
    EXPECT_FALSE(VtSysSvr_UnregisterNotify(registered.Handle(), L"another client"));
    EXPECT_TRUE(Knob("vantorservice_window").has_value());
    UnregisterServiceNotify(registered.Handle());
    EXPECT_EQ(Knob("vantorservice_window"), std::nullopt);
    EXPECT_FALSE(VtSysSvr_RegisterNotify(nullptr, L"x")) << "no window";
}
