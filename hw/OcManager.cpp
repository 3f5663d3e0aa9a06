#include "hw/OcManager.h"

#include "kelp/System/MessageBox.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItemEnumerator.h"
#include "kelp/vantor/BiosItems.h"

#include <algorithm>
#include <cstdio>

namespace kelp {
namespace {
bool IsOrderedNumber(uint16_t number)
{
    return std::find(std::begin(BiosItemId::kOcOrderedNumbers), std::end(BiosItemId::kOcOrderedNumbers), number) !=
           std::end(BiosItemId::kOcOrderedNumbers);
}

template <typename List> OcRegularItem* FirstWithId(List& list, uint32_t id)
{
    for (auto& item : list)
        if (item->Id() == id)
            return item.get();
    return nullptr;
}

template <typename List> bool AnyChanged(const List& list)
{
    return std::any_of(list.begin(), list.end(), [](const auto& item) { return item->Pending() != item->Current(); });
}
} // namespace

OcManager::OcManager()
{
    InitInterface();
    BiosItemEnumerator items;
    if (!items.Open(BiosItemId::kTuningGroup))
        return;
    for (; !items.AtEnd(); items.Next()) {
        uint32_t id = items.CurrentId();
        if (id == 0)
            continue;
        uint16_t number = ItemNumber(id);
        std::unique_ptr<BiosItem> item = items.CreateItem();
        if (number == BiosItemId::kRatioTunerNumber) {
            m_ratio.Hold(std::move(item));
            continue;
        }
        if (item->GetAttributes() & kItemAttributeHidden)
            continue;
        if (IsOrderedNumber(number)) {
            if (ItemClass(id) == kPlainItemClass) {
                char text[64];
                std::snprintf(text, sizeof text, "Item %x can not have extra string", unsigned(id));
                ShowMessage(text, "SplintAcpi");
            }
            auto wrapped = std::make_unique<OcRegularItem>(std::move(item));
            wrapped->Read();
            if (number == BiosItemId::kOcLeadNumber)
                m_ordered.push_front(std::move(wrapped));
            else
                m_ordered.push_back(std::move(wrapped));
        } else if (number < BiosItemId::kOcNumberLimit && number != BiosItemId::kOcExcludedNumber) {
            auto wrapped = std::make_unique<OcRegularItem>(std::move(item));
            wrapped->Read();
            m_others.push_back(std::move(wrapped));
        }
    }
    items.Close();
}

void OcManager::SetPending(uint32_t id, int32_t value)
{
    if (OcRegularItem* item = FirstWithId(m_ordered, id))
        item->SetPending(value);
    if (OcRegularItem* item = FirstWithId(m_others, id))
        item->SetPending(value);
}

bool OcManager::HasPendingChange() const
{
    return AnyChanged(m_ordered) || AnyChanged(m_others);
}

} // namespace kelp
