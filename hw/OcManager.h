#pragma once
// The overclocking items of BIOS group 0x03: the ordered list (bus clock
// first, then core voltage, memory frequency and uncore ratio), every other
// tunable item in a second list, and the ratio item.

#include "hw/OcRegularItem.h"
#include "hw/RatioTuner.h"

#include <deque>
#include <memory>
#include <vector>

namespace kelp {

class OcManager {
public:
    using ItemList = std::vector<std::unique_ptr<OcRegularItem>>;

    OcManager(); // enumerates the group; every item reads its value
    OcManager(const OcManager&) = delete;
    OcManager& operator=(const OcManager&) = delete;

    std::deque<std::unique_ptr<OcRegularItem>>& Ordered() { return m_ordered; }
    ItemList& Others() { return m_others; }
    const RatioTuner& Ratio() const { return m_ratio; }

    // Gives the value as pending to the first item of the ordered list and
    // the first of the second list with this identifier.
    void SetPending(uint32_t id, int32_t value);
    // Some item's pending value differs from its current one (lists walked
    // in order, stopping at the first difference).
    bool HasPendingChange() const;

private:
    std::deque<std::unique_ptr<OcRegularItem>> m_ordered;
    ItemList m_others;
    RatioTuner m_ratio;
};

} // namespace kelp
