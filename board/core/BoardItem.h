#pragma once
// One BIOS item of the virtual board: its current value and the
// self-description the ACPI library serves for it.

#include <cstdint>
#include <string>
#include <vector>

namespace vboard {

// The identifier's type nibble (bits 19-16) decides the item's kind.
enum class ItemKind { Number, Boolean, String };
ItemKind KindOf(uint32_t id);
const char* KindName(ItemKind kind); // "number", "boolean", "string"

struct BoardItem {
    uint32_t id = 0;
    std::string name;
    uint32_t value = 0;
    uint32_t defaultValue = 0; // description element 3
    uint32_t attributes = 0;   // description element 2; bit 30 hides it from enumerating adapters
    // Number items: value of index n = (base + n * step) * 10^exponent,
    // after the extra strings in `texts`, which take the first indexes.
    int32_t base = 0;
    int32_t exponent = 0;
    int32_t step = 1;
    uint32_t count = 0; // numeric indexes; 0 leaves number values unchecked
    std::vector<std::string> texts; // number: extra strings; string item: its strings
    // Items reported back, with the written value, by a write with reply.
    std::vector<uint32_t> reply;
    bool readOnly = false; // the firmware refuses writes through the ACPI library

    ItemKind Kind() const { return KindOf(id); }
    // Number of valid values (indexes); 0 = unbounded.
    uint32_t ValueCount() const;
    bool Accepts(uint32_t candidate) const;
};

} // namespace vboard
