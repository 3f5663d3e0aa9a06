#include "engine/CalibrateLib.h"

#include "framework/system/ExecutableFolder.h"
#include "framework/system/ProcessWide.h"
#include "kelp/System/MessageBox.h"

#include <windows.h>

namespace {
constexpr char kCaption[] = "Tamsel3";
}

CalibrateLib& CalibrateLib::Instance()
{
    static ProcessWide<CalibrateLib> library(ExecutableFolder());
    return *library;
}

CalibrateLib::CalibrateLib(const std::string& folder) : module_(LoadLibraryA((folder + "Strainel.dll").c_str()))
{
    if (!module_) {
        kelp::ShowMessage("Can not load Strainel.dll", kCaption);
        return;
    }
    start_primary_ = kelp::ResolveExport<StartFunction>(module_.get(), "StartCalibrateWithPrimary");
    start_burn_ = kelp::ResolveExport<StartFunction>(module_.get(), "StartCalibrateWithCpuBurn");
    stop_ = kelp::ResolveExport<StopFunction>(module_.get(), "StopCalibrate");
    if (!IsLoaded())
        kelp::ShowMessage("Can not GetProcAddress failed", kCaption);
}

bool CalibrateLib::StartCalibrateWithPrimary(int32_t kind)
{
    return start_primary_ && start_primary_(kind) != 0;
}

bool CalibrateLib::StartCalibrateWithCpuBurn(int32_t threads)
{
    return start_burn_ && start_burn_(threads) != 0;
}

bool CalibrateLib::StopCalibrate()
{
    return stop_ && stop_() != 0;
}
