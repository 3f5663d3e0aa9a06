#pragma once
// The samples of one calibration block and the value that stands for them.

#include <cstdint>
#include <vector>

// Growable sample store, starting with room for 256 samples.
class CalibrationSamples {
public:
    CalibrationSamples() { samples_.reserve(256); }
    void Add(uint32_t sample) { samples_.push_back(sample); }
    void Clear() { samples_.clear(); }
    const std::vector<uint32_t>& Values() const { return samples_; }

private:
    std::vector<uint32_t> samples_;
};

// The mean of the sorted samples at positions n/2 .. 3n/4 - 1 (integer
// division throughout). Never 0: no samples give 1, and a block too short
// for the range takes the sample at position n/2.
uint32_t BlockValue(std::vector<uint32_t> samples);
