#pragma once
// A BIOS item whose values are a list of texts (type nibble 8).

#include "kelp/vantor/BiosItem.h"

#include <vector>

namespace kelp {

class BiosStringItem : public BiosItem {
public:
    unsigned GetCount() const override { return m_count; }
    uint32_t GetHeaderValue() const override { return m_header; }
    // Asserts that the index names one of the texts.
    std::string IndexToString(unsigned index) const override;

protected:
    // Element 4 = n (n >= 1), then the n texts.
    bool Parse(const void*& cursor, uint32_t& remaining) override;

private:
    unsigned m_count = 0;
    std::vector<const char*> m_strs;
};

} // namespace kelp
