#pragma once
// Where the virtual board keeps its state and finds its profiles.
//   PELLIX_BOARD_STATE    state file; default <all-users app data>\VANTOR\VirtualBoard\board.state
//   PELLIX_BOARD_PROFILE  profile used when the state is (re)built; default "current"
// Profiles are "<name>.ini" files in the BoardProfiles\ folder beside the
// module that holds this code; a name with a path separator is a file path.

#include <string>

namespace vboard {

std::string StatePath();
std::string DefaultProfileName();
std::string ProfileFolder();
std::string ProfilePath(const std::string& name);

} // namespace vboard
