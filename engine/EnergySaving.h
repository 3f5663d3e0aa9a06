#pragma once
// One energy account: the power the current mode saves, integrated into a
// total since the account was first created and a cumulative figure since
// the user last cleared the display. Persisted under HKLM as 8-byte binary
// doubles after every tick.

#include <array>

class EnergySaving {
public:
    static constexpr int kSavingIndices = 4;

    explicit EnergySaving(const std::array<double, kSavingIndices>& factors);
    virtual ~EnergySaving() = default;
    EnergySaving(const EnergySaving&) = delete;
    EnergySaving& operator=(const EnergySaving&) = delete;

    // Watt-hours saved in `seconds` at the current power with the factor of
    // saving index 0-3 (other indices save nothing).
    virtual double ComputeSaving(int savingIndex, double seconds) const;
    // The account's key under HKLM.
    virtual const char* KeyPath() const = 0;

    // Reads TotalSaving and CumulativeSaving. When either is missing or not
    // a finite, non-negative 8-byte double, both start from 0 and the load
    // reports failure.
    bool Load();
    // Adds one tick's saving to both counters, traces it and saves;
    // returns the watt-hours added.
    double Accumulate(int savingIndex, double seconds);
    // Writes CurrentPower, TotalSaving and CumulativeSaving; false when the
    // key cannot be opened or a value cannot be written.
    bool Save() const;

    double Power() const { return power_; }
    void SetPower(double watts) { power_ = watts; }
    double Factor(int savingIndex) const;
    void SetFactors(const std::array<double, kSavingIndices>& factors) { factors_ = factors; }
    double TotalSaving() const { return totalSaving_; }
    double CumulativeSaving() const { return cumulativeSaving_; }
    void ClearCumulative() { cumulativeSaving_ = 0; }

private:
    double power_ = 0;
    std::array<double, kSavingIndices> factors_;
    double totalSaving_ = 0;
    double cumulativeSaving_ = 0;
};
