#pragma once
// A graphics-boost item: the firmware may move it behind the program's
// back (the boost request changes its followers), so Apply compares the
// pending value with a fresh read instead of the remembered one.

#include "hw/OcItem.h"

namespace kelp {

class IgdItem : public OcItem {
public:
    using OcItem::OcItem;
    bool Apply() override;
};

} // namespace kelp
