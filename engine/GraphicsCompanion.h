#pragma once
// The graphics side of a mode change: the board's own graphics boost when
// it has one, otherwise the graphics-card companion program. One choice
// for the whole process, made on first use.

#include "ipc/GpuLib.h"

kelp::GpuLib& GraphicsCompanion();
