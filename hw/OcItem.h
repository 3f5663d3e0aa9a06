#pragma once
// A tunable BIOS item: the item, a pending value to apply and the current
// value last read from the firmware.

#include "kelp/vantor/BiosItem.h"

#include <cstdint>
#include <memory>

namespace kelp {

class OcItem {
public:
    explicit OcItem(std::unique_ptr<BiosItem> item) : m_item(std::move(item)) {}
    virtual ~OcItem() = default;
    OcItem(const OcItem&) = delete;
    OcItem& operator=(const OcItem&) = delete;

    // Reads the firmware value; on success pending = current = that value.
    virtual bool Read();
    // Brings the firmware to the pending value.
    virtual bool Apply() = 0;

    uint32_t Id() const { return m_item->GetId(); }
    uint16_t Number() const;
    const BiosItem& Item() const { return *m_item; }
    int32_t Pending() const { return m_pending; }
    int32_t Current() const { return m_current; }
    void SetPending(int32_t value) { m_pending = value; }

protected:
    // The write every item kind uses: ACPI mode 2 (apply pending), then a
    // fresh read. True when both succeed.
    bool WritePendingAndRead();

private:
    std::unique_ptr<BiosItem> m_item;
    int32_t m_pending = 0;
    int32_t m_current = 0;
};

} // namespace kelp
