#include "framework/controls/RangeKeys.h"

#include <algorithm>

std::optional<int> RangeKeyTarget(WORD key, int position, int min, int max)
{
    const int page = std::max(1, (max - min) / 10);
    int target;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        target = position - 1;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        target = position + 1;
        break;
    case VK_PRIOR:
        target = position - page;
        break;
    case VK_NEXT:
        target = position + page;
        break;
    case VK_HOME:
        target = min;
        break;
    case VK_END:
        target = max;
        break;
    default:
        return std::nullopt;
    }
    return std::clamp(target, min, std::max(min, max));
}
