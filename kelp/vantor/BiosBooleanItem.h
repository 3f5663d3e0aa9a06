#pragma once
// An on/off BIOS item (type nibble 7): no value list of its own.

#include "kelp/vantor/BiosItem.h"

namespace kelp {

class BiosBooleanItem : public BiosItem {
public:
    uint32_t GetHeaderValue() const override { return m_header; }

protected:
    bool Parse(const void*& cursor, uint32_t& remaining) override;
};

} // namespace kelp
