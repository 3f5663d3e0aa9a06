#include "hw/FanChip.h"

#include "framework/system/ProcessWide.h"
#include "hw/AbsVentryLib.h"
#include "hw/SioAccessorBios.h"
#include "hw/SioAccessorDirect.h"
#include "hw/SmartFan627DHG.h"
#include "hw/SmartFan667.h"
#include "hw/SmartFan667Dot18.h"
#include "kelp/System/MessageBox.h"
#include "kelp/vantor/BiosItems.h"

namespace kelp {
namespace {
constexpr uint16_t kConfigIndexPort = 0x2E;
constexpr uint16_t kConfigDataPort = 0x2F;
constexpr uint8_t kEnterConfig = 0x87;
constexpr uint8_t kLeaveConfig = 0xAA;
constexpr uint8_t kIdHigh = 0x20;
constexpr uint8_t kIdLow = 0x21;

bool AskThroughBios()
{
    AbsVentryLib* fans = AbsVentryLib::Registered();
    if (!fans) {
        ShowMessage("No instance exists", "VentryLib");
        return false;
    }
    return fans->IsItemSupported(BiosItemId::kSioRegister);
}

SmartFanLib& StartChip()
{
    const VtIoLibrary& ports = VtIoLibrary::Instance();
    SioLock& lock = SioLock::Instance();
    switch (SelectFanChip(ReadChipId(ports, lock))) {
    case FanChipKind::SmartFan667Dot18: {
        AbsVentryLib* fans = AbsVentryLib::Registered();
        static ProcessWide<SmartFan667Dot18> chip(FanRegisters(), lock, FanRegistersThroughBios(),
                                                  fans && fans->IsItemSupported(BiosItemId::kSioDirectGate));
        return *chip;
    }
    case FanChipKind::SmartFan627DHG: {
        static ProcessWide<SmartFan627DHG> chip(FanRegisters(), lock);
        return *chip;
    }
    default: {
        static ProcessWide<SmartFan667> chip(FanRegisters(), lock);
        return *chip;
    }
    }
}
} // namespace

FanChipKind SelectFanChip(uint16_t chipId)
{
    if ((chipId & 0xB350) == 0xB350)
        return FanChipKind::SmartFan667Dot18;
    if ((chipId & 0xB070) == 0xB070)
        return FanChipKind::SmartFan627DHG;
    return FanChipKind::SmartFan667;
}

uint16_t ReadChipId(const VtIoLibrary& ports, SioLock& lock)
{
    SioLockScope scope(lock);
    ports.OutPortB(kConfigIndexPort, kEnterConfig);
    ports.OutPortB(kConfigIndexPort, kEnterConfig);
    ports.OutPortB(kConfigIndexPort, kIdHigh);
    uint8_t high = ports.InPortB(kConfigDataPort);
    ports.OutPortB(kConfigIndexPort, kIdLow);
    uint8_t low = ports.InPortB(kConfigDataPort);
    ports.OutPortB(kConfigIndexPort, kLeaveConfig);
    return uint16_t(high << 8 | low);
}

bool FanRegistersThroughBios()
{
    static const bool throughBios = AskThroughBios();
    return throughBios;
}

SioAccessor& FanRegisters()
{
    if (FanRegistersThroughBios()) {
        static ProcessWide<SioAccessorBios> bios;
        return *bios;
    }
    static ProcessWide<SioAccessorDirect> direct(VtIoLibrary::Instance());
    return *direct;
}

SmartFanLib& FanChip()
{
    static SmartFanLib& chip = StartChip();
    return chip;
}

} // namespace kelp
