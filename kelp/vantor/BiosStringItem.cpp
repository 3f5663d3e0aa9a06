#include "kelp/vantor/BiosStringItem.h"

#include "kelp/System/Assert.h"
#include "kelp/vantor/AcpiLibrary.h"
#include "kelp/vantor/BiosPackage.h"

namespace kelp {

bool BiosStringItem::Parse(const void*& cursor, uint32_t& remaining)
{
    m_count = 0;
    m_strs.clear();
    BiosItem::Parse(cursor, remaining);
    if (remaining <= 2)
        return false;
    cursor = VtAcpiNextElement(cursor);
    uint32_t n = ElementValue(cursor);
    remaining -= 2;
    if (n == 0 || n > remaining)
        return false;
    for (uint32_t i = 0; i < n; ++i) {
        cursor = VtAcpiNextElement(cursor);
        m_strs.push_back(ElementText(cursor));
    }
    m_count = n;
    return true;
}

std::string BiosStringItem::IndexToString(unsigned index) const
{
    KELP_ASSERT(index < m_strs.size(), "kelp\\vantor\\Source\\BiosInterface", 708);
    return m_strs[index];
}

} // namespace kelp
