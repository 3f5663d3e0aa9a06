#pragma once
// The five power modes and their codes. A mode has a gear level (the code of
// the power-gear library and of the window messages), a mode index 0-4 (used
// for arrays, registry value-name suffixes and energy factors) and a
// language key for its display name.

namespace GearLevel {
inline constexpr int Turbo = 0x4000;
inline constexpr int HighPerformance = 0;
inline constexpr int MediumSaving = 1;
inline constexpr int MaxSaving = 2;
inline constexpr int Auto = 0x8000;
// No mode known; never applied.
inline constexpr int Unknown = 255;
// What a four-level calibration writes to the level item last. No mode: its
// meaning is the firmware's, so it only ever goes to the item.
inline constexpr int CalibrationEnd = 4;
} // namespace GearLevel

namespace ModeIndex {
inline constexpr int Turbo = 0;
inline constexpr int HighPerformance = 1;
inline constexpr int Medium = 2;
inline constexpr int Low = 3;
inline constexpr int Auto = 4;
inline constexpr int Count = 5;
// Modes 0-3 have records of their own; Auto's is derived from them.
inline constexpr int FixedCount = 4;
} // namespace ModeIndex

// One of the five levels a mode can be set to (255 and anything else: no).
bool IsKnownLevel(int level);

// 1 -> 2, 2 -> 3, Turbo -> 0, Auto -> 4, anything else -> 1.
int LevelToIndex(int level);
// As LevelToIndex, but Auto -> 1: for peers that know no Auto mode.
int LevelToIndexNoAuto(int level);
// 0 -> Turbo; 1, 2, 3 -> index - 1; anything else -> High Performance.
int IndexToLevel(int index);

// The energy-factor index (0-3) that applies while the level is set. Auto
// runs one of the saving modes at a time; which one the power-gear adapter
// reports through the plugged source below.
int LevelToSavingIndex(int level);

// Language key of the mode's display name ("GearNameL0".."GearNameL4");
// unknown levels get High Performance's.
const char* LevelToNameKey(int level);
// Language key of the mode button's hint ("HintL0".."HintL4"); "" for an
// index outside 0-4.
const char* IndexToHintKey(int index);
// Registry value-name suffix of the mode ("_Turbo" .. "_Auto"); "" for an
// index outside 0-4.
const char* IndexToSuffix(int index);

// Reports the saving mode index that Auto is running at the moment. The
// power-gear adapter plugs its reader in at start-up. Without a source, and
// whenever the source reports something outside 0-3, Auto counts as
// High Performance (index 1), as if the item could not be read.
using AutoGearSource = int (*)();
void PlugAutoGearSource(AutoGearSource source);
