#pragma once
// The machine's processor load as the firmware senses it: the share of
// busy processor time between two samples, taken from the system's
// cumulative idle, kernel and user times. Thread-safe.

namespace tamsel {

class CpuLoadMeter {
public:
    static CpuLoadMeter& Instance();

    // Percent busy (0-100) since the previous call; samples closer than
    // 200 ms apart repeat the previous figure.
    unsigned Sample();

private:
    CpuLoadMeter();
};

} // namespace tamsel
