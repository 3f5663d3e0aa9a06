#pragma once
// The user's stored fan curves and extra mode, under HKEY_LOCAL_MACHINE
// "Software\VANTOR\Corvex\Ventry": REG_DWORD "Temp0".."Temp5",
// "Speed0".."Speed5" and "ExtraMode". Indexes 0-2 hold the extra curve,
// 3-5 the user curve. Every access reads or writes the registry afresh.

#include "hw/FanCurve.h"

#include <windows.h>

namespace kelp {

class CpuFanExtraModeStore {
public:
    static CpuFanExtraModeStore& Instance();

    // (Temp0, Speed0, Temp1, Speed1, Temp2, Speed2); false unless all six are stored.
    bool ReadExtraCurve(FanCurve& curve) const;
    // Stores the curve's points as Temp0..Temp2 and Speed0..Speed2.
    void WriteExtraCurve(const FanCurve& curve) const;
    // (Temp3, Speed3, Temp4, Speed4, Temp5, Speed5); false unless all six are stored.
    bool ReadUserCurve(FanCurve& curve) const;

    DWORD ExtraMode() const; // 0 when absent
    void SetExtraMode(DWORD mode) const;

private:
    bool ReadCurve(int first, FanCurve& curve) const;
};

} // namespace kelp
