#include "kelp/vantor/BiosItem.h"

#include "kelp/System/MessageBox.h"
#include "kelp/vantor/AcpiLibrary.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/BiosPackage.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace kelp {

unsigned BiosItem::GetCount() const
{
    return 0;
}

bool BiosItem::IsPlainItem() const
{
    return ItemClass(m_id) == kPlainItemClass;
}

void BiosItem::ReportUnsupported(const char* operation) const
{
    char text[96];
    std::snprintf(text, sizeof text, "Item[%x] does not supports %s", static_cast<unsigned>(m_id), operation);
    ShowMessage(text, "BiosItem");
}

bool BiosItem::IndexToRational(unsigned, int64_t&, int64_t&) const
{
    ReportUnsupported("IndexToRational");
    return false;
}

double BiosItem::IndexToValue(unsigned) const
{
    ReportUnsupported("IndexToValue");
    return 0;
}

std::string BiosItem::IndexToString(unsigned) const
{
    ReportUnsupported("IndexToString");
    return {};
}

bool BiosItem::Load(const void* bytes, uint32_t size)
{
    // The library bounds every walk by the package's own length field,
    // which it caps at the transfer size; padding the copy to that size
    // keeps even a package whose length field lies inside our memory.
    m_parsed = false;
    try {
        m_package.assign(size > kBiosBufferSize ? size : kBiosBufferSize, 0);
    } catch (const std::bad_alloc&) {
        m_package.clear();
        m_size = 0;
        return false;
    }
    if (bytes && size > 0)
        std::memcpy(m_package.data(), bytes, size);
    m_size = size;

    uint32_t count = VtAcpiElementCount(m_package.data());
    if (count < 3)
        return false;
    const void* first = VtAcpiFirstElement(m_package.data());
    m_id = ElementValue(first);
    const void* cursor = VtAcpiNextElement(first);
    uint32_t remaining = count - 1;
    m_parsed = Parse(cursor, remaining);
    return m_parsed;
}

bool BiosItem::Parse(const void*& cursor, uint32_t& remaining)
{
    cursor = VtAcpiNextElement(cursor);
    m_attributes = ElementValue(cursor);
    cursor = VtAcpiNextElement(cursor);
    remaining -= 2;
    if (remaining > 0)
        m_header = ElementValue(cursor);
    return true;
}

} // namespace kelp
