#pragma once
// The two energy accounts: the mainboard's, with fixed saving factors, and
// the graphics card's, whose factors and power the companion reports.

#include "engine/EnergySaving.h"

class MbEnergySaving final : public EnergySaving {
public:
    // Turbo, High Performance, Medium Power Saving, Max Power Saving.
    static constexpr std::array<double, kSavingIndices> kFactors{0, 0, 0.26, 0.46};

    MbEnergySaving() : EnergySaving(kFactors) {}
    const char* KeyPath() const override;
};

class VgaEnergySaving final : public EnergySaving {
public:
    VgaEnergySaving() : EnergySaving({0, 0, 0, 0}) {}
    const char* KeyPath() const override;
};
