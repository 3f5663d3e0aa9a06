#pragma once
// Where a window goes to sit centred over another one.

#include <windows.h>

namespace cpuform {

// The top-left corner that centres a window of `width` x `height` over
// `host` (screen coordinates). Halves round toward zero, so a window larger
// than its host overhangs it evenly.
POINT CentreOver(const RECT& host, int width, int height);

} // namespace cpuform
