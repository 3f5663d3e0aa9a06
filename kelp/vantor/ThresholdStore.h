#pragma once
// The Auto-mode switching thresholds measured by calibration, kept in the
// registry (HKLM "Software\VANTOR\TAMSEL3", REG_DWORD Threshold1..N) and
// pushed into the power-gear library when the Auto level is set. Boards
// with the extra threshold items keep six, others three.

#include "kelp/vantor/PowerGearImp.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace kelp {

class ThresholdStore {
public:
    // The process-wide store over the power-gear facade's library.
    static ThresholdStore& Instance();

    // Sized by the board's threshold items, then loaded.
    explicit ThresholdStore(PowerGearImp& gear);
    ThresholdStore(const ThresholdStore&) = delete;
    ThresholdStore& operator=(const ThresholdStore&) = delete;

    // Reloads from the registry. False when the key or a value is missing
    // (entries all 0). A pending firmware reset request discards the stored
    // values (entries 0, registry values deleted) and still reports true.
    // The valid flag tells whether usable thresholds were loaded.
    bool Load();
    // Replaces the first min(count, Count()) entries and saves them: the
    // entries in order, stopping at the first failed write, then the
    // firmware's reset request cleared. True when all were written. One
    // step, so that a reload meanwhile cannot bring the old values back
    // into the save.
    bool Store(const uint32_t* values, size_t count);

    bool IsValid() const;
    size_t Count() const;
    std::vector<uint32_t> Values() const;

private:
    void ClearLocked();
    bool SaveLocked();

    PowerGearImp& gear_;
    // The main thread (calibration) and the mode worker use the store at once.
    mutable std::mutex lock_;
    std::vector<uint32_t> values_;
    bool valid_ = false;
};

} // namespace kelp
