#pragma once
// The metrics file the organisation's policy asks for, kept by the main
// window's energy tick with what pellixctl status is told, and following
// the policies as they refresh.

#include "engine/SavingsHistory.h"

// Main thread, after each energy tick with what the tick credited.
void TickMetrics(const history::Tick& tick);
