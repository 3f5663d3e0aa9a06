#include "hw/GraphicsBoost.h"

#include "framework/system/ProcessWide.h"
#include "framework/system/Trace.h"
#include "hw/BoostReply.h"
#include "kelp/System/MessageBox.h"
#include "kelp/System/WinRegistry.h"
#include "kelp/vantor/AcpiLibrary.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItemEnumerator.h"
#include "kelp/vantor/BiosItems.h"

#include <algorithm>
#include <vector>

namespace kelp {
namespace {

bool DriverInstalled()
{
    RegistryKeyReader key;
    std::string version;
    return key.Open(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Gruvo Driver") && key.ReadString("Version", version);
}
} // namespace

GraphicsBoost& GraphicsBoost::Instance()
{
    static ProcessWide<GraphicsBoost> boost;
    return *boost;
}

GraphicsBoost::GraphicsBoost()
{
    InitInterface();
    BiosItemEnumerator items;
    if (items.Open(BiosItemId::kTuningGroup)) {
        for (; !items.AtEnd(); items.Next()) {
            uint32_t id = items.CurrentId();
            uint16_t number = ItemNumber(id);
            std::unique_ptr<BiosItem> item = items.CreateItem();
            if (id == 0 || (item->GetAttributes() & kItemAttributeHidden))
                continue;
            if (number == BiosItemId::kGraphicsBoostNumber) {
                m_items.push_front(std::make_unique<IgdItem>(std::move(item)));
                m_itemsSeen = true;
            } else if (number == BiosItemId::kGraphicsBoostSecondNumber) {
                m_items.push_back(std::make_unique<IgdItem>(std::move(item)));
            }
        }
        items.Close();
    }
    m_available = !m_items.empty() && m_items.front()->Number() == BiosItemId::kGraphicsBoostNumber;
    if (m_available) {
        ReadAll();
        m_initialBoost = m_items.front()->Current();
        m_initialIgd = GetIgd();
        if (!GetItem(BiosItemId::kGraphicsBoostBase, m_boostBase))
            m_boostBase = 0;
    }
    m_driverPresent = DriverInstalled();
}

bool GraphicsBoost::ReadAll()
{
    bool all = true;
    for (auto& item : m_items)
        all = item->Read() && all;
    return all;
}

void GraphicsBoost::TakeReply(const uint32_t* words, uint32_t size)
{
    for (const BoostReplyPair& pair : DecodeBoostReply(words, size))
        for (auto& item : m_items)
            if (item->Id() == pair.id)
                item->SetPending(pair.value);
}

bool GraphicsBoost::SetBoost(int32_t value)
{
    if (m_items.empty())
        return false;
    IgdItem& first = *m_items.front();
    first.SetPending(value);

    std::vector<uint32_t> reply(kBoostReplyBytes / 4, 0);
    uint32_t size = kBoostReplyBytes;
    if (VtAcpiSetItemWithReply(BiosItemId::kGraphicsBoostWrite, uint32_t(value), reply.data(), &size) & 1)
        TakeReply(reply.data(), size);

    bool applied = true;
    auto apply = [&](IgdItem& item) {
        Trace("~~~[GraphicsBoost] apply item %x = %d", unsigned(item.Id()), int(item.Pending()));
        applied = item.Apply() && applied;
    };
    if (first.Pending() < first.Current())
        for (auto item = m_items.rbegin(); item != m_items.rend(); ++item)
            apply(**item);
    else
        for (auto& item : m_items)
            apply(*item);

    if (IsItemSupported(BiosItemId::kIntegratedGraphics))
        SetItem(BiosItemId::kIntegratedGraphics, 0);
    else
        ShowMessage("Item 0x03080064 can't supported", "Igd");
    return applied;
}

bool GraphicsBoost::SetIgd(uint32_t value)
{
    return SetItem(BiosItemId::kIntegratedGraphics, value);
}

uint32_t GraphicsBoost::GetIgd()
{
    uint32_t value = 0;
    return GetItem(BiosItemId::kIntegratedGraphics, value) ? value : 1;
}

} // namespace kelp
