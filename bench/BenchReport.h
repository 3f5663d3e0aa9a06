#pragma once
// The one line per figure that scripts/bench.sh collects from every run of a
// benchmark, tab-separated:
//   figure  name  value  unit  floor-name  floor-value  goal
// The goal is "ratio<=N" (the value against its floor) or "value<=N" (in the
// figure's own unit). The floor is measured in the same run as the value, so
// a busy machine slows both alike.

#include <cstdio>

inline void ReportFigure(const char* name, double value, const char* unit, const char* floorName,
                         double floorValue, const char* goal)
{
    std::printf("figure\t%s\t%.4f\t%s\t%s\t%.4f\t%s\n", name, value, unit, floorName, floorValue, goal);
    std::fflush(stdout);
}
