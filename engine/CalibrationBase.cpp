#include "engine/CalibrateLib.h"
#include "engine/Calibration.h"
#include "engine/RegistryLayout.h"
#include "kelp/System/WinRegistry.h"
#include "kelp/vantor/PowerGear.h"

#include <algorithm>

namespace {
constexpr unsigned kMinimumLoadThreads = 4;
}

Calibrator::Calibrator(const CalibrationDevices& devices, int blocks)
    : devices_(devices), measured_(size_t(blocks), 0)
{
}

Calibrator::~Calibrator() = default;

void Calibrator::Reset()
{
    block_ = 0;
    sampleCount_ = 0;
    // Samples of a cancelled run must not leak into the next run's first block.
    samples_.Clear();
}

void Calibrator::SaveLevel()
{
    // A board without the power gear has no level to read; High Performance
    // is what the run ends in then.
    savedLevel_ = Gear().IsSupported() ? Gear().GetLevel() : 0;
}

void Calibrator::RestoreLevel()
{
    RequestLevel(savedLevel_);
}

void Calibrator::StopLoad()
{
    devices_.load->StopCalibrate();
}

void Calibrator::TakeSample()
{
    const uint32_t current = uint32_t(Gear().GetIcpu());
    samples_.Add(current ? current : 1);
    ++sampleCount_;
}

void Calibrator::EndBlock()
{
    if (block_ >= 0 && size_t(block_) < measured_.size())
        measured_[size_t(block_)] = BlockValue(samples_.Values());
    ++block_;
    sampleCount_ = 0;
    samples_.Clear();
}

bool Calibrator::MeasureTick(int tick)
{
    const int r = tick % kBlockTicks;
    if (r < kSettlingTicks)
        return false;
    TakeSample();
    if (r != kBlockTicks - 1)
        return false;
    EndBlock();
    return true;
}

void Calibrator::RequestLevel(int level)
{
    if (!runEnded_)
        devices_.setMode(level);
}

void Calibrator::StartFullLoad()
{
    if (!runEnded_)
        devices_.load->StartCalibrateWithCpuBurn(int32_t(std::max(devices_.logicalProcessors, kMinimumLoadThreads)));
}

void Calibrator::StartPrimaryLoad()
{
    if (!runEnded_)
        devices_.load->StartCalibrateWithPrimary(1);
}

void Calibrator::WriteMeasurements(const char* const* names) const
{
    kelp::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, RegKey::Root, true))
        return;
    for (size_t i = 0; i < measured_.size(); ++i)
        key.WriteDword(names[i], measured_[i]);
}
