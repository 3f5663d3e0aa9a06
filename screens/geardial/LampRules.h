#pragma once
// Which availability lamps of the main window are lit for a mode: the
// lamp of each saving feature the mode makes use of.

#include <cstdint>

namespace geardial {

// What the machine reports for the mode.
struct LampFacts {
    bool vgaSaving = false;          // the graphics card saves in this mode
    uint32_t spinDownTimeout = 0;    // seconds, from the mode's settings
    uint32_t fan = 0;                // 1: the mode's quiet fan profile
    bool fanControlOffered = true;   // the board controls a CPU or chassis fan
    bool workstation = false;        // the chipset and memory lamps take part
};

struct LampStates {
    bool cpu = false;
    bool vga = false;
    bool drive = false;
    bool fan = false;
    // Only meaningful for the workstation edition.
    bool chip = false;
    bool memory = false;
};

LampStates EvaluateLamps(int level, const LampFacts& facts);

} // namespace geardial
