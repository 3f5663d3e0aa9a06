#pragma once
// The packages the ACPI library serves, built from the board state.
//
// Interface description: 0 name, 1 number of values, 2.. the interface
// values (element 3 carries the interface version in its top byte).
// Group: one reference per item of the group, in identifier order.
// Item description: 0 identifier, 1 name, 2 attribute word, 3 default
// value, then by kind -
//   number   4 exponent (bits 31-24) | base (bits 23-0), 5 step (bits 23-0),
//            6 numeric index count, [7 extra-string count, the strings]
//   string   4 string count, the strings
//   boolean  4 state count (2), "Disabled", "Enabled"

#include "board/core/BoardState.h"
#include "board/core/Package.h"

#include <cstdint>

namespace vboard {

package::Writer InterfacePackage(const BoardState& state);
// False when the board has no item in the group (the group cannot be read).
bool GroupPackage(const BoardState& state, uint32_t group, package::Writer& writer);
package::Writer DescriptionPackage(const BoardItem& item);

} // namespace vboard
