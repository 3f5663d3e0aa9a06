#include "kelp/Graphics/ImageRegion.h"

#include "kelp/Graphics/WinRegion.h"

namespace kelp {

namespace {

// A control's top-left corner in screen coordinates: through its parent's
// client area when it has one, else its position is already on the screen.
POINT ScreenOrigin(const TControl& control)
{
    POINT origin{control.Left(), control.Top()};
    if (TWinControl* parent = control.Parent())
        ClientToScreen(parent->Handle(), &origin);
    return origin;
}

} // namespace

void ApplyImageRegion(TWinControl& window, TImage& image, TColor transparentColor)
{
    WinRegion region(image.Picture(), transparentColor);
    POINT imageOrigin = ScreenOrigin(image);
    POINT windowOrigin = ScreenOrigin(window);
    region.Offset(imageOrigin.x - windowOrigin.x, imageOrigin.y - windowOrigin.y);
    // The system owns the region handed to SetWindowRgn.
    SetWindowRgn(window.Handle(), region.Clone(), TRUE);
}

void ApplyImageRegion(TWinControl& window, TImage& image)
{
    ApplyImageRegion(window, image, image.Picture().TransparentColor());
}

} // namespace kelp
