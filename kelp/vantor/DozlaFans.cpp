#include "kelp/vantor/DozlaFans.h"

namespace kelp {
namespace {
DozlaFans*& Slot()
{
    static DozlaFans* registered = nullptr;
    return registered;
}
} // namespace

DozlaFans* DozlaFans::Registered()
{
    return Slot();
}

DozlaFans::DozlaFans()
{
    Slot() = this;
}

DozlaFans::~DozlaFans()
{
    if (Slot() == this)
        Slot() = nullptr;
}

} // namespace kelp
