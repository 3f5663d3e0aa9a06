#pragma once
// The fan-settings library: the board's fan items, the per-profile fan
// curves and chassis cruise pairs, and the fan operations the mode engine
// and the nap library call. Implementations differ only in how they reach
// the BIOS items. The most recently created instance is the registered
// fan library that the chip driver consults.

#include "hw/FanCurve.h"

#include <array>
#include <cstdint>

namespace kelp {

class AbsVentryLib {
public:
    static constexpr uint8_t kFanControlOff = 0xFF;
    // Profile-curve indexes beyond the three profiles.
    static constexpr int kUserCurve = 3;
    static constexpr int kFixedCurve = 4;
    static constexpr int kExtraCurve = 5;

    static AbsVentryLib* Registered();

    AbsVentryLib(const AbsVentryLib&) = delete;
    AbsVentryLib& operator=(const AbsVentryLib&) = delete;

    virtual bool IsVentryThreeSupported() = 0;
    // Reports a failed read; the value is then whatever the library left.
    virtual uint32_t GetItem(uint32_t id) = 0;
    virtual void SetItem(uint32_t id, uint32_t first, uint32_t second) = 0;
    virtual bool IsItemSupported(uint32_t id) = 0;
    // Builds the profile tables from the fan base temperature.
    virtual void Init();

    bool IsCpuFanControlEnabled();
    bool IsChassisFanControlEnabled();
    bool HasChassisFanItems();
    // kFanControlOff when the board's CPU fan control is off; otherwise an
    // index for GetProfileCurve.
    uint8_t GetCpuFanMode();
    uint8_t GetChassisFanMode();
    FanCurve GetProfileCurve(int index);
    CruisePair GetCruisePair(int index) const;

    void SetCpuFanCurve(const FanCurve& curve);
    void ResetCpuFanCurve();
    void SetChassisFanCruise(uint8_t target, uint8_t tolerance);
    void RestoreChassisFan();
    void SetChassisFanOff();

protected:
    AbsVentryLib(); // registers this instance
    ~AbsVentryLib();

    // The failure notice both implementations show for a failed read.
    static void ReportReadFailure(uint32_t id);

private:
    std::array<FanCurve, 3> m_profileCurves{};
    FanCurve m_userCurve{};
    FanCurve m_fixedCurve{0, 128, 75, 128, 76, 255};
    std::array<CruisePair, 3> m_cruisePairs{};
};

} // namespace kelp
