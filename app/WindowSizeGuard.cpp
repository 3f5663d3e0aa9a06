#include "app/WindowSizeGuard.h"

bool KeepBackgroundSize(WINDOWPOS& position, OuterSize window, OuterSize client, OuterSize background)
{
    if (position.flags & SWP_NOSIZE)
        return false;
    const int width = window.width + background.width - client.width;
    const int height = window.height + background.height - client.height;
    const bool changed = position.cx != width || position.cy != height;
    position.cx = width;
    position.cy = height;
    return changed;
}
