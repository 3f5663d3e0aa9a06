#pragma once
// Everything the virtual board remembers: the profile it was built from,
// the ACPI interface description, its BIOS items, the Super-I/O registers,
// test knobs, and sections other board components keep for themselves.
// The same text form describes a profile (a partial state laid over its
// base) and the persisted state (complete).

#include "board/core/BoardItem.h"
#include "board/core/IniDocument.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vboard {

struct BoardState {
    std::string profile;
    std::string description;
    // Interface description values from element 2 on; the second one's top
    // byte is the ACPI interface version.
    std::vector<uint32_t> interfaceValues;
    std::map<uint32_t, BoardItem> items;
    // Super-I/O hardware-monitor registers by bank * 256 + offset.
    std::map<uint32_t, uint8_t> registers;
    std::map<std::string, std::string> knobs;
    // Sections this layer does not interpret, kept for the component that
    // owns them (merged by key, written back unchanged).
    std::vector<IniSection> otherSections;

    uint32_t InterfaceWord() const; // interface value 1, 0 when absent
    uint32_t InterfaceVersion() const { return InterfaceWord() >> 24; }

    BoardItem* Find(uint32_t id);
    const BoardItem* Find(uint32_t id) const;
    std::optional<std::string> Knob(const std::string& name) const;
    uint32_t KnobWord(const std::string& name, uint32_t fallback) const;
    const IniSection* OtherSection(const std::string& name) const;
    IniSection& EditSection(const std::string& name); // created when missing

    // Lays the document over this state: present keys replace, an item takes
    // its default value unless a value is given, "present=0" removes an item. False with
    // a message for a malformed section or value; the state may then be
    // partly changed, so callers apply to a copy.
    bool Apply(const IniDocument& document, std::string& error);
    IniDocument ToDocument() const;
};

} // namespace vboard
