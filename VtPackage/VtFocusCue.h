#pragma once
// The skinned keyboard focus cue: an accent frame along a control's edges,
// or an accent ring inside a round knob, blended over what the control
// shows. The pictures are 32-bit PNGs with alpha, read when the first cue
// is drawn (a program worked with the mouse alone never reads them).

#include "framework/FocusCue.h"
#include "framework/graphics/Bitmap.h"

#include <string>

// Makes stretched the frame picture at width x height (32 bits): its four
// corner squares (corner pixels wide) kept, the rows and columns between
// them repeated from its middle. A size below two corners shares them out.
void StretchFrame(TBitmap& frame, int corner, int width, int height, TBitmap& stretched);

// Has the framework draw cues from the pictures in folder: "focus_frame.png"
// for every control, "focus_ring.png" for round controls of its size.
void UseVtFocusCue(const std::string& folder);
