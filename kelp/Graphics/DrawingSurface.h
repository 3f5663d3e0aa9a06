#pragma once
// Something a painter can draw on: a canvas that shows in a control.

#include "framework/graphics/Canvas.h"

namespace kelp {

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    virtual TCanvas& Canvas() = 0;
    // Makes what was drawn visible (repaints the control showing the canvas).
    virtual void Flush() = 0;
};

} // namespace kelp
