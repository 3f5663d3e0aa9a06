#include "kelp/vantor/BiosGroupList.h"

#include "kelp/System/Assert.h"
#include "kelp/vantor/AcpiLibrary.h"
#include "kelp/vantor/BiosPackage.h"

namespace kelp {

bool BiosGroupList::Open(uint8_t group)
{
    KELP_ASSERT(!IsOpen(), "kelp\\vantor\\Source\\BiosInterface", 101);
    m_buffer = std::make_unique<unsigned char[]>(kBiosBufferSize);
    m_position = 0;
    m_count = 0;
    m_cursor = nullptr;
    uint32_t size = kBiosBufferSize;
    if (!VtAcpiGetGroup(group, m_buffer.get(), &size))
        return false;
    m_count = VtAcpiElementCount(m_buffer.get());
    m_cursor = VtAcpiFirstElement(m_buffer.get());
    return true;
}

void BiosGroupList::Close()
{
    m_buffer.reset();
    m_cursor = nullptr;
    m_position = 0;
    m_count = 0;
}

void BiosGroupList::Next()
{
    if (m_position < m_count)
        ++m_position;
    if (m_position < m_count)
        m_cursor = VtAcpiNextElement(m_cursor);
}

const void* BiosGroupList::Current() const
{
    return VtAcpiElementData(m_cursor);
}

} // namespace kelp
