#include "screens/advancedsetting/FrequencyScale.h"

#include "engine/ModeModel.h"
#include "kelp/vantor/BiosItems.h"

#include <cmath>
#include <cstdlib>

namespace advancedsetting {

namespace {

using namespace kelp::BiosItemId;
constexpr uint32_t kTurboItem[2] = {kPhaseFsbTurbo, kFsbTurbo};
constexpr uint32_t kSavingItem[2] = {kPhaseFsbSaving, kFsbSaving};

FrequencyScale FortyPositions(bool positive)
{
    return {0, 39, 1, 1, positive};
}

} // namespace

uint32_t FrequencyItem(int tab, int phaseGroup)
{
    const int platform = phaseGroup == kZeroBasedPhaseGroup ? 0 : 1;
    return tab == ModeIndex::Turbo ? kTurboItem[platform] : kSavingItem[platform];
}

FrequencyScale CpuFrequencyScale(int tab, int phaseGroup, const std::optional<ItemRange>& range)
{
    // Turbo raises the frequency; the saving modes lower it.
    const bool positive = tab == ModeIndex::Turbo;
    if (!range)
        return FortyPositions(positive);
    const int64_t base = range->base;
    const int64_t step = range->step;
    int64_t offset = 0;
    int64_t max = base + step * (range->steps - 1);
    if (phaseGroup != kZeroBasedPhaseGroup) {
        offset = base + step;
        max = base + step * (range->steps - 2);
    }
    // A range with nothing to choose cannot be drawn as a slider.
    if (max <= 0 || max > INT32_MAX || offset < INT32_MIN || offset > INT32_MAX)
        return FortyPositions(positive);
    return {0, static_cast<int>(max), range->step, static_cast<int>(offset), positive};
}

std::string FrequencyText(const FrequencyScale& scale, int position, const std::string& unit)
{
    const int64_t amount = static_cast<int64_t>(scale.step) * position + scale.offset;
    if (scale.positive)
        return "+" + std::to_string(amount) + unit;
    return std::to_string(-amount) + unit;
}

std::string GraphicsFrequencyText(const std::string& settingText)
{
    const char* begin = settingText.c_str();
    char* end = nullptr;
    const double frequency = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || !std::isfinite(frequency) || std::fabs(frequency) > 1e9)
        return settingText;
    return std::to_string(static_cast<long long>(frequency)) + "MHz";
}

const char* FrequencyUnit(int phaseGroup)
{
    return phaseGroup == kZeroBasedPhaseGroup ? " MHz" : "%";
}

} // namespace advancedsetting
