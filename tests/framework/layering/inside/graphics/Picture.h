#pragma once
// A framework that keeps to itself: its own headers, system headers, and a
// header beside the includer by its bare name.
#include "framework/graphics/Bitmap.h"
#include "PictureParts.h"
#include <windows.h>
