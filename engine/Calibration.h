#pragma once
// Calibration: steps the board through its power modes, first idle and then
// under a synthetic processor load, samples the CPU current in each mode,
// and derives the Auto-mode switching thresholds from the measurements.
// A run is driven tick by tick from the main thread by the progress form:
//
//   BeginCalibration();
//   r = progress form shown modally, calling c.Step(1..c.StepCount()) over c.DurationMs();
//   r == 1 ? (EndCalibration(true), SetCalibrationNeeded(false)) : EndCalibration(false);

#include "engine/CalibrationBlock.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace kelp {
class PowerGear;
}
class CalibrateLib;

// What a run drives. The production wiring is the process-wide power-gear
// facade, the load generator and the mode engine's SetMode(level, false).
struct CalibrationDevices {
    kelp::PowerGear* gear = nullptr;
    CalibrateLib* load = nullptr;
    // Hands a gear level to the mode engine (level item only).
    std::function<void(int level)> setMode;
    // Logical processors of the machine; decides the load's thread count
    // and the three-level offsets.
    unsigned logicalProcessors = 1;
};

class Calibrator {
public:
    virtual ~Calibrator();
    Calibrator(const Calibrator&) = delete;
    Calibrator& operator=(const Calibrator&) = delete;

    // Progress ticks of one run (ticks 1..StepCount() reach Step).
    virtual int StepCount() const = 0;
    // StepCount() x 200 ms.
    virtual DWORD DurationMs() const = 0;
    virtual void Step(int tick) = 0;
    // Derives and stores the thresholds and writes the measurements.
    virtual void Finish() = 0;
    // Rewinds to the first block; the last measurements stay.
    virtual void Reset();

    // The level in force when the run started, read from the gear, and
    // its restoration at the end of the run.
    void SaveLevel();
    void RestoreLevel();
    int SavedLevel() const { return savedLevel_; }
    // Ends any load the run started.
    void StopLoad();
    // Hands a level to the mode engine (level item only, not waited for).
    void RequestLevel(int level);

    // Set by the bracket: a run ended, and cleared when the next begins.
    // Ticks that still arrive then (the progress form outlives a run that
    // the end of the session ended) drive no level and no load.
    bool RunEnded() const { return runEnded_; }
    void SetRunEnded(bool ended) { runEnded_ = ended; }

    // Ticks of one measuring block, and the first ones of it that only let
    // the level settle.
    static constexpr int kBlockTicks = 50;
    static constexpr int kSettlingTicks = 20;

    const std::vector<uint32_t>& Measured() const { return measured_; }
    int Block() const { return block_; }
    int SampleCount() const { return sampleCount_; }

protected:
    Calibrator(const CalibrationDevices& devices, int blocks);

    // One CPU-current sample; a reading of 0 counts as 1.
    void TakeSample();
    // Stores the block's value, moves to the next block and drops the samples.
    void EndBlock();
    // One tick of a measuring block: after the settling ticks every tick
    // takes a sample, and the last one ends the block. True when this tick
    // ended a block.
    bool MeasureTick(int tick);
    // The full load: one thread per logical processor, at least four.
    void StartFullLoad();
    void StartPrimaryLoad();
    // Writes one measured value per block under HKLM Root, named in block order.
    void WriteMeasurements(const char* const* names) const;

    kelp::PowerGear& Gear() { return *devices_.gear; }
    unsigned LogicalProcessors() const { return devices_.logicalProcessors; }

private:
    CalibrationDevices devices_;
    int savedLevel_ = 0;
    std::vector<uint32_t> measured_;
    int block_ = 0;
    int sampleCount_ = 0;
    bool runEnded_ = false;
    CalibrationSamples samples_;
};

// How the program's calibrator hands a level to the mode engine (level
// item only, not waited for); the process-wide devices use it with the
// process-wide power gear and load generator.
void RequestCalibrationLevel(int level);

// Four levels for an Intel processor of signature 0x106A or later
// (IsRecentIntelProcessor), otherwise three.
std::unique_ptr<Calibrator> MakeCalibrator(bool recentIntelProcessor, const CalibrationDevices& devices);
// The variant of this machine's processor, created on first use over the
// process-wide devices and kept.
Calibrator& GetCalibrator();

// The bracket around a run of the process-wide calibrator.
void BeginCalibration();
void EndCalibration(bool completed);
// The same bracket around a given calibrator. Ending a run that has
// already ended does nothing.
void BeginCalibration(Calibrator& calibrator);
void EndCalibration(Calibrator& calibrator, bool completed);
// Ends the run under way, if any, as a cancelled one: for the end of the
// session, after which the run's own end would not come. The run's
// calibrator must outlive it.
void EndRunningCalibration();
