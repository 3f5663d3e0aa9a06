#pragma once
// The fan side of the nap library: how the fans run while the machine
// naps, and how they are given back. Supplied by the fan-settings library
// that works through the nap library; the most recently registered one
// is used.

#include <cstdint>

namespace kelp {

class DozlaFans {
public:
    static DozlaFans* Registered();

    virtual void ApplyNapFans(uint32_t level) = 0;
    virtual void RestoreFans() = 0;

protected:
    DozlaFans();
    ~DozlaFans();
};

} // namespace kelp
