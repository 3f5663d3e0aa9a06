#pragma once
// The board's graphics boost: the graphics clock item (number 0x60) and
// its companion items of group 0x03, the boost request with its reply
// list, and the integrated-graphics switch.

#include "hw/IgdItem.h"

#include <cstdint>
#include <deque>
#include <memory>

namespace kelp {

class GraphicsBoost {
public:
    static GraphicsBoost& Instance();

    GraphicsBoost(); // enumerates group 0x03 and reads the starting values
    GraphicsBoost(const GraphicsBoost&) = delete;
    GraphicsBoost& operator=(const GraphicsBoost&) = delete;

    // The board has the boost items and the graphics driver is installed.
    bool IsAvailable() const { return m_available && m_driverPresent; }
    bool ReadAll();
    // Requests the boost, takes the firmware's follow-up values and applies
    // every item: downwards in reverse order, so the companions come down
    // before the clock. True when every item applied.
    bool SetBoost(int32_t value);
    bool SetIgd(uint32_t value);
    uint32_t GetIgd(); // 1 when the read fails

    bool ItemsSeen() const { return m_itemsSeen; }
    int32_t InitialBoost() const { return m_initialBoost; }
    uint32_t InitialIgd() const { return m_initialIgd; }
    uint32_t BoostBase() const { return m_boostBase; }
    const std::deque<std::unique_ptr<IgdItem>>& Items() const { return m_items; }

private:
    // Gives the reply list's values to the items they name; size in bytes.
    void TakeReply(const uint32_t* words, uint32_t size);

    std::deque<std::unique_ptr<IgdItem>> m_items;
    bool m_itemsSeen = false;
    bool m_available = false;
    bool m_driverPresent = false;
    int32_t m_initialBoost = 0;
    uint32_t m_initialIgd = 0;
    uint32_t m_boostBase = 0;
};

} // namespace kelp
