#include "hw/CpuFanExtraModeStore.h"

#include "framework/system/ProcessWide.h"
#include "kelp/System/WinRegistry.h"

#include <string>

namespace kelp {
namespace {
const char kKey[] = "Software\\VANTOR\\Corvex\\Ventry";
const char kExtraMode[] = "ExtraMode";
constexpr int kExtraFirst = 0;
constexpr int kUserFirst = 3;

std::string TempName(int index) { return "Temp" + std::to_string(index); }
std::string SpeedName(int index) { return "Speed" + std::to_string(index); }
} // namespace

CpuFanExtraModeStore& CpuFanExtraModeStore::Instance()
{
    static ProcessWide<CpuFanExtraModeStore> store;
    return *store;
}

bool CpuFanExtraModeStore::ReadCurve(int first, FanCurve& curve) const
{
    RegistryKeyReader key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kKey))
        return false;
    FanCurve read{};
    for (int i = 0; i < 3; ++i) {
        DWORD temp, speed;
        if (!key.ReadDword(TempName(first + i).c_str(), temp) || !key.ReadDword(SpeedName(first + i).c_str(), speed))
            return false;
        read[2 * i] = uint8_t(temp);
        read[2 * i + 1] = uint8_t(speed);
    }
    curve = read;
    return true;
}

bool CpuFanExtraModeStore::ReadExtraCurve(FanCurve& curve) const
{
    return ReadCurve(kExtraFirst, curve);
}

bool CpuFanExtraModeStore::ReadUserCurve(FanCurve& curve) const
{
    return ReadCurve(kUserFirst, curve);
}

void CpuFanExtraModeStore::WriteExtraCurve(const FanCurve& curve) const
{
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kKey, true))
        return;
    for (int i = 0; i < 3; ++i) {
        key.WriteDword(TempName(kExtraFirst + i).c_str(), curve[2 * i]);
        key.WriteDword(SpeedName(kExtraFirst + i).c_str(), curve[2 * i + 1]);
    }
}

DWORD CpuFanExtraModeStore::ExtraMode() const
{
    RegistryKeyReader key;
    DWORD mode = 0;
    if (!key.Open(HKEY_LOCAL_MACHINE, kKey) || !key.ReadDword(kExtraMode, mode))
        return 0;
    return mode;
}

void CpuFanExtraModeStore::SetExtraMode(DWORD mode) const
{
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kKey, true))
        key.WriteDword(kExtraMode, mode);
}

} // namespace kelp
