#include "kelp/vantor/BiosNumberItem.h"

#include "kelp/System/MessageBox.h"
#include "kelp/vantor/AcpiLibrary.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/BiosPackage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kelp {
namespace {
// The largest power of ten a 64-bit integer holds.
constexpr int kMaxPowerOfTen = 18;

int32_t SignExtend24(uint32_t word)
{
    return int32_t(word << 8) >> 8;
}

int RawExponent(uint32_t baseWord)
{
    return int8_t(baseWord >> 24);
}

int TypeShift(uint32_t id)
{
    switch (ItemType(id)) {
    case 1: return 2;
    case 2: return 3;
    case 3: return 4;
    case 12: return 3;
    default: return 0;
    }
}

int TrailingZeros(int32_t value)
{
    int zeros = 0;
    for (int64_t magnitude = std::llabs(value); magnitude != 0 && magnitude % 10 == 0; magnitude /= 10)
        ++zeros;
    return zeros;
}

int64_t PowerOfTen(int exponent)
{
    int64_t power = 1;
    while (exponent-- > 0)
        power *= 10;
    return power;
}
} // namespace

bool BiosNumberItem::Parse(const void*& cursor, uint32_t& remaining)
{
    m_exStrs.clear();
    m_indexCount = 0;
    BiosItem::Parse(cursor, remaining);
    if (remaining < 4)
        return false;
    cursor = VtAcpiNextElement(cursor);
    m_base = ElementValue(cursor);
    cursor = VtAcpiNextElement(cursor);
    m_step = ElementValue(cursor);
    cursor = VtAcpiNextElement(cursor);
    m_indexCount = ElementValue(cursor);
    cursor = VtAcpiNextElement(cursor);
    remaining -= 4;
    if (remaining == 0)
        return true;
    if (remaining <= 1)
        return false;
    uint32_t k = ElementValue(cursor);
    if (k == 0 || k > remaining - 1)
        return false;
    for (uint32_t i = 0; i < k; ++i) {
        cursor = VtAcpiNextElement(cursor);
        m_exStrs.push_back(ElementText(cursor));
    }
    m_indexCount += k;
    return true;
}

bool BiosNumberItem::AddressesExtraString(unsigned index, const char* caption) const
{
    if (index >= m_exStrs.size())
        return false;
    ShowMessage("Can not convert extra string to value", caption);
    return true;
}

int32_t BiosNumberItem::Numerator(unsigned index) const
{
    uint32_t n = index - unsigned(m_exStrs.size());
    return int32_t(uint32_t(SignExtend24(m_base)) + n * uint32_t(SignExtend24(m_step)));
}

int BiosNumberItem::Exponent() const
{
    return RawExponent(m_base) - TypeShift(m_id);
}

bool BiosNumberItem::IndexToRational(unsigned index, int64_t& numerator, int64_t& denominator) const
{
    if (AddressesExtraString(index, "IndexToRational Fail"))
        return false;
    int exponent = Exponent();
    if (std::abs(exponent) > kMaxPowerOfTen)
        return false;
    int64_t value = Numerator(index);
    if (exponent < 0) {
        numerator = value;
        denominator = PowerOfTen(-exponent);
        return true;
    }
    if (__builtin_mul_overflow(value, PowerOfTen(exponent), &numerator))
        return false;
    denominator = 1;
    return true;
}

double BiosNumberItem::IndexToValue(unsigned index) const
{
    if (AddressesExtraString(index, "IndexToValue Fail"))
        return 0;
    int exponent = Exponent();
    double scale = std::pow(10.0, std::abs(exponent));
    double value = Numerator(index);
    return exponent < 0 ? value / scale : value * scale;
}

std::string BiosNumberItem::IndexToString(unsigned index) const
{
    if (index < m_exStrs.size())
        return m_exStrs[index];
    double value = IndexToValue(index);
    int scale = std::abs(RawExponent(m_base)) + TypeShift(m_id);
    int shared = std::min(TrailingZeros(SignExtend24(m_base)), TrailingZeros(SignExtend24(m_step)));
    int decimals = scale > shared ? scale - shared : 0;
    int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    if (length <= 0)
        return {};
    std::string text(size_t(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    text.resize(size_t(length));
    return text;
}

} // namespace kelp
