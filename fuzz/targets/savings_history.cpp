// The stored savings history: the first four bytes are the local day now,
// the rest is the stored value.

#include "engine/SavingsHistoryCodec.h"
#include "fuzz/native/FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input{data, size};
    const int today = input.Take<int32_t>();
    unsigned problems = 0;
    const std::vector<history::DayRecord> days = history::DecodeHistory(input.data, input.size, today, problems);
    if (days.size() > history::kMaxDays)
        std::abort();
    for (size_t i = 0; i < days.size(); ++i) {
        const history::DayRecord& day = days[i];
        if (!day.IsPlausible() || day.day < history::kEarliestDay || int64_t(day.day) > int64_t(today) + 1 ||
            (i > 0 && days[i - 1].day >= day.day))
            std::abort();
    }
    // What was kept stores and loads again unchanged and without complaint.
    const std::vector<uint8_t> again = history::EncodeHistory(days);
    unsigned reloadProblems = 0;
    const std::vector<history::DayRecord> reloaded =
        history::DecodeHistory(again.data(), again.size(), today, reloadProblems);
    if (reloadProblems != 0 || reloaded.size() != days.size())
        std::abort();
    return 0;
}
