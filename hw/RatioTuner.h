#pragma once
// Keeps the CPU ratio item (number 0x13) the overclock manager found.

#include "kelp/vantor/BiosItem.h"

#include <memory>

namespace kelp {

class RatioTuner {
public:
    void Hold(std::unique_ptr<BiosItem> item) { m_item = std::move(item); }
    const BiosItem* Item() const { return m_item.get(); }

private:
    std::unique_ptr<BiosItem> m_item;
};

} // namespace kelp
