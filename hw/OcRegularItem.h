#pragma once
// An overclocking item: written only when the pending value differs from
// the value last read.

#include "hw/OcItem.h"

namespace kelp {

class OcRegularItem : public OcItem {
public:
    using OcItem::OcItem;
    bool Apply() override;
};

} // namespace kelp
