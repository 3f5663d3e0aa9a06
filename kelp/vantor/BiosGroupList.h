#pragma once
// The item references of one BIOS item group, walked one by one.

#include <cstdint>
#include <memory>

namespace kelp {

class BiosGroupList {
public:
    BiosGroupList() = default;
    BiosGroupList(const BiosGroupList&) = delete;
    BiosGroupList& operator=(const BiosGroupList&) = delete;

    // Reads the group's reference package. Asserts the list is not open. A
    // failed read leaves the list open (and at its end) until Close.
    bool Open(uint8_t group);
    void Close();
    bool IsOpen() const { return m_buffer != nullptr; }
    bool AtEnd() const { return m_position >= m_count; }
    void Next();
    // The current reference's data, as the item description read takes it.
    const void* Current() const;

private:
    std::unique_ptr<unsigned char[]> m_buffer;
    const void* m_cursor = nullptr;
    uint32_t m_position = 0;
    uint32_t m_count = 0;
};

} // namespace kelp
