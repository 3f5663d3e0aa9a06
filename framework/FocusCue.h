#pragma once
// The keyboard focus cue: the mark a focused control carries while its
// window shows focus cues (the system's UISF_HIDEFOCUS convention: hidden
// while the window is worked with the mouse, shown once the keyboard is
// used). A control says where its cue goes; the picture is the program's
// to give, the system's dotted rectangle until it does.

#include <windows.h>

#include <functional>

enum class TFocusCueShape {
    None,   // the control shows no cue (forms, containers)
    Frame,  // a rounded frame along the edges of the cue's rectangle
    Ring,   // a ring inside a round control
};

struct TFocusCuePlace {
    TFocusCueShape shape = TFocusCueShape::None;
    // In the control's client coordinates, or in its parent's when the
    // cue marks windowless parts the parent paints (onParent).
    RECT rect{};
    bool onParent = false;
};

// Draws a cue of the shape over rect on dc.
using TFocusCuePainter = std::function<void(HDC dc, const RECT& rect, TFocusCueShape shape)>;
void SetFocusCuePainter(TFocusCuePainter painter);
void PaintFocusCue(HDC dc, const RECT& rect, TFocusCueShape shape);
