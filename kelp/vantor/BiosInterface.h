#pragma once
// Plain access to the firmware's BIOS items through the ACPI interface
// library (VTACPI.DLL). Identifiers: bits 31-24 group, 23-20 class,
// 19-16 type, 15-0 item number (see BiosItems.h).

#include <cstdint>

namespace kelp {

void InitInterface(); // before each series of item calls
bool GetItem(uint32_t id, uint32_t& value);
bool GetItemArg(uint32_t id, uint32_t argument, uint32_t& value);
bool SetItem(uint32_t id, uint32_t value); // a plain write (mode 1)
uint32_t SetItemMode(uint32_t id, uint32_t value, uint32_t mode); // library result passed through
// True when the item is listed in its group.
bool IsItemSupported(uint32_t id);
// Copies `count` interface description values starting at value `first`
// (fewer when the description is shorter).
void GetInterfaceValues(uint32_t* values, int first, int count);
// Top byte = ACPI interface version; 0 when the description cannot be read.
uint32_t GetInterfaceVersion();

} // namespace kelp
