#pragma once
// Board profiles: readable INI files that describe one board model. A
// profile may start from another ("include=<name>" in [board]) and then
// add, change or remove ("present=0") items.

#include "board/core/BoardState.h"

#include <string>

namespace vboard {

// Builds a complete state from the named profile (see ProfilePath). The
// state remembers the name. False with a message when a file is missing or
// malformed, or includes nest too deeply; `state` is then untouched.
bool LoadProfile(const std::string& name, BoardState& state, std::string& error);

} // namespace vboard
