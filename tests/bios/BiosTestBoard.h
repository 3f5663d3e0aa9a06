#pragma once
// The test board of the BIOS item tests: group 0x21 holds one item per
// conversion case; the interface reports version 3.

#include <cstdint>
#include <string>

namespace biostest {

// Loads the test board into this executable's board state.
void LoadTestBoard();
// Loads one of the installed profiles.
void LoadInstalledProfile(const char* name);

// Literal text as a GoogleTest death-test pattern.
std::string Literally(const std::string& text);

} // namespace biostest
