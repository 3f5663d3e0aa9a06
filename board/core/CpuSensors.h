#pragma once
// The board's processor sensors: the CPU current (item 0x0E0A0011, whole
// amperes) and the CPU power (0x0E0B0013, a power word, PowerWord.h). They
// follow the machine's processor load and the gear in force and are worked
// out whenever they are read, so a moving load never rewrites the state.
//
// Knobs ([knobs] of a profile or the state):
//   tamsel_sensors=hold    the items read as stored (boardctl sets them)
//   tamsel_cpu_load        fixed processor load in percent instead of the machine's
//   tamsel_idle_current, tamsel_full_current   amperes at 0 % / 100 % load in
//                          High Performance (default 8, 60)
//   tamsel_vcore_mv        core voltage for the power reading (1200)

#include "board/core/BoardState.h"

#include <cstdint>

namespace vboard {

constexpr uint32_t kCpuCurrentItem = 0x0E0A0011;
constexpr uint32_t kCpuPowerItem = 0x0E0B0013;

// True with the sensor's reading now when `id` is one of the sensors above,
// the board has it and its readings are live; false otherwise (the item
// then reads as stored).
bool ReadSensor(const BoardState& state, uint32_t id, uint32_t& value);

} // namespace vboard
