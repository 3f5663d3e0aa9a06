#pragma once
// A window message as the framework dispatches it, and the input types of
// the mouse and key handlers.

#include <functional>
#include <windows.h>

class TObject;

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage& message)>;

enum class TMouseButton { Left, Right, Middle };

// Modifier keys and mouse buttons held during an input event.
using TShiftState = unsigned;
enum : TShiftState {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};

// Shift state of a mouse message's wParam plus the Alt key.
TShiftState MouseShiftState(WPARAM keys);
// Shift state from the keyboard's current modifier keys.
TShiftState KeyboardShiftState();

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
