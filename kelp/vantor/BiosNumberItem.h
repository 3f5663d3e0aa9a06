#pragma once
// A BIOS item whose values are numbers: index n stands for
// (base + n * step) * 10^exponent, after k optional extra strings (such as
// "Auto") that take indexes 0..k-1. The identifier's type nibble shifts
// the exponent further (1: -2, 2: -3, 3: -4, 12: -3).

#include "kelp/vantor/BiosItem.h"

#include <vector>

namespace kelp {

class BiosNumberItem : public BiosItem {
public:
    unsigned GetCount() const override { return m_indexCount; } // numeric indexes + extra strings
    uint32_t GetHeaderValue() const override { return m_header; }
    // False (after a notice) for an index that names an extra string, or
    // when the value does not fit 64-bit numerator and denominator.
    bool IndexToRational(unsigned index, int64_t& numerator, int64_t& denominator) const override;
    double IndexToValue(unsigned index) const override;
    // Extra strings as they are; numbers with as many decimals as the
    // scale needs after dropping the zeros that base and step share.
    std::string IndexToString(unsigned index) const override;

protected:
    // Element 4 = exponent (bits 31-24) | base (bits 23-0), 5 = step
    // (bits 23-0), 6 = numeric index count, then optionally 7 = k followed
    // by the k extra strings.
    bool Parse(const void*& cursor, uint32_t& remaining) override;

private:
    bool AddressesExtraString(unsigned index, const char* caption) const;
    int32_t Numerator(unsigned index) const; // base + n * step, 32-bit
    int Exponent() const;                    // after the type's shift

    std::vector<const char*> m_exStrs;
    unsigned m_indexCount = 0;
    uint32_t m_step = 0;
    uint32_t m_base = 0;
};

} // namespace kelp
