#include "kelp/vantor/BiosItemEnumerator.h"

#include "kelp/System/Assert.h"
#include "kelp/vantor/AcpiLibrary.h"
#include "kelp/vantor/BiosBooleanItem.h"
#include "kelp/vantor/BiosNumberItem.h"
#include "kelp/vantor/BiosPackage.h"
#include "kelp/vantor/BiosStringItem.h"

namespace kelp {

bool BiosItemEnumerator::Open(uint8_t group)
{
    KELP_ASSERT(!IsOpen(), "kelp\\vantor\\Source\\BiosInterface", 796);
    if (!m_groups.Open(group)) {
        m_groups.Close();
        return false;
    }
    if (!m_item)
        m_item = std::make_unique<unsigned char[]>(kBiosBufferSize);
    Fetch();
    return true;
}

bool BiosItemEnumerator::Next()
{
    m_groups.Next();
    return Fetch();
}

bool BiosItemEnumerator::Fetch()
{
    uint32_t size = kBiosBufferSize;
    // A failed read must not leave the previous item's description behind
    // under the new position.
    m_itemSize = 0;
    m_currentId = 0;
    if (!VtAcpiGetItemDescription(m_groups.Current(), m_item.get(), &size))
        return false;
    m_itemSize = size < kBiosBufferSize ? size : kBiosBufferSize;
    m_currentId = ElementValue(VtAcpiFirstElement(m_item.get()));
    return true;
}

std::unique_ptr<BiosItem> BiosItemEnumerator::CreateItem() const
{
    std::unique_ptr<BiosItem> item;
    switch ((m_currentId >> 16) & 0xF) {
    case 8: item = std::make_unique<BiosStringItem>(); break;
    case 7: item = std::make_unique<BiosBooleanItem>(); break;
    default: item = std::make_unique<BiosNumberItem>(); break;
    }
    item->Load(m_item.get(), m_itemSize);
    return item;
}

} // namespace kelp
