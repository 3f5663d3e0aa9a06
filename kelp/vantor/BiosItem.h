#pragma once
// A BIOS item built from its self-description package. The item keeps its
// own copy of the package; texts handed out point into that copy and live
// as long as the item.
//
// Description elements: 0 identifier, 1 (unused here), 2 attribute word,
// 3 header value, 4... the part that depends on the item's kind.

#include <cstdint>
#include <string>
#include <vector>

namespace kelp {

class BiosItem {
public:
    virtual ~BiosItem() = default;
    BiosItem(const BiosItem&) = delete;
    BiosItem& operator=(const BiosItem&) = delete;

    // Number of indexes the item offers; 0 for items without a value list.
    virtual unsigned GetCount() const;
    virtual uint32_t GetHeaderValue() const = 0;
    // The identifier's class nibble marks items that cannot carry extra strings.
    virtual bool IsPlainItem() const;
    virtual bool IndexToRational(unsigned index, int64_t& numerator, int64_t& denominator) const;
    virtual double IndexToValue(unsigned index) const;
    virtual std::string IndexToString(unsigned index) const;

    // Copies `size` bytes of package and parses them; false when the package
    // has fewer than three elements or its kind-specific part is malformed.
    bool Load(const void* bytes, uint32_t size);

    // Whether the last Load succeeded.
    bool IsParsed() const { return m_parsed; }
    uint32_t GetId() const { return m_id; }
    uint32_t GetAttributes() const { return m_attributes; }

protected:
    BiosItem() = default;

    // Reads from element 1 on; `remaining` counts the elements from the
    // cursor to the package end. This base step skips elements 1 and 2 and
    // leaves the cursor on element 3.
    virtual bool Parse(const void*& cursor, uint32_t& remaining);

    // Shows the "does not supports" notice for an operation this kind lacks.
    void ReportUnsupported(const char* operation) const;

    std::vector<unsigned char> m_package;
    uint32_t m_size = 0;
    uint32_t m_id = 0;
    uint32_t m_attributes = 0;
    uint32_t m_header = 0; // element 3
    bool m_parsed = false;
};

} // namespace kelp
