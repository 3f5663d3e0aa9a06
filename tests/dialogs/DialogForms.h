#pragma once
// The forms under test, created once for the whole run as the program
// creates them at start-up, and owned by the application.

#include "screens/blackscreen/TBlackScreen.h"
#include "screens/dialogs/TCoverDialog.h"
#include "screens/dialogs/TProgressDialog.h"
#include "screens/dialogs/TUniversalDialog.h"
#include "tests/support/MessagePump.h"

#include <functional>

namespace dialogtest {

struct Forms {
    TForm* main;
    TCoverDialog* cover;
    TProgressDialog* progress;
    TUniversalDialog* message;
    TBlackScreen* blackScreen;
};

Forms& TheForms();

// Runs `action` once the message loop is running again (inside a modal form).
void Later(std::function<void()> action);

} // namespace dialogtest
