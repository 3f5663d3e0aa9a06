#include "screens/cpuform/CentreOver.h"

namespace cpuform {

POINT CentreOver(const RECT& host, int width, int height)
{
    const int hostWidth = host.right - host.left;
    const int hostHeight = host.bottom - host.top;
    return POINT{host.left + (hostWidth - width) / 2, host.top + (hostHeight - height) / 2};
}

} // namespace cpuform
