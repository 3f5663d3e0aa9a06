#pragma once
// Enumerates the items of one BIOS item group and builds BiosItem objects
// from their descriptions.

#include "kelp/vantor/BiosGroupList.h"
#include "kelp/vantor/BiosItem.h"

#include <cstdint>
#include <memory>

namespace kelp {

class BiosItemEnumerator {
public:
    BiosItemEnumerator() = default;
    BiosItemEnumerator(const BiosItemEnumerator&) = delete;
    BiosItemEnumerator& operator=(const BiosItemEnumerator&) = delete;

    // Asserts not open. False when the group cannot be read; otherwise
    // positioned on the first item (whether or not its description read).
    bool Open(uint8_t group);
    void Close() { m_groups.Close(); }
    bool IsOpen() const { return m_groups.IsOpen(); }
    bool AtEnd() const { return m_groups.AtEnd(); }
    // Moves on and reads the next description; false when that read fails.
    bool Next();
    // 0 when the current description could not be read.
    uint32_t CurrentId() const { return m_currentId; }
    // The current item, by the identifier's type nibble; returned even when
    // its description does not parse.
    std::unique_ptr<BiosItem> CreateItem() const;

private:
    bool Fetch();

    BiosGroupList m_groups;
    std::unique_ptr<unsigned char[]> m_item;
    uint32_t m_itemSize = 0;
    uint32_t m_currentId = 0;
};

} // namespace kelp
