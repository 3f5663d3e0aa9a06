// The automation's stored form: the input holds the three stored values
// (hotkeys, rules, schedule) split at NUL bytes.

#include "automation/AutomationCodec.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    automation::StoredSettings stored;
    for (std::string* value : {&stored.hotkeys, &stored.rules, &stored.schedule}) {
        const size_t end = rest.find('\0');
        *value = std::string(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    unsigned problems = 0;
    const automation::AutomationSettings settings = automation::DecodeSettings(stored, problems);
    if (settings.rules.size() > automation::kMaxStoredLines || settings.windows.size() > automation::kMaxStoredLines)
        std::abort();
    for (const automation::ProgramRule& rule : settings.rules)
        if (rule.program.size() > automation::kMaxProgramLength + 1 ||
            (rule.IsValid() && !automation::IsModeLevel(rule.level)))
            std::abort();
    // Whatever is stored again loads to the same verdicts (the encoder
    // leaves out what it cannot write back; then the lists differ).
    unsigned again = 0;
    const automation::AutomationSettings reloaded = automation::DecodeSettings(EncodeSettings(settings), again);
    const size_t rules = std::min(settings.rules.size(), automation::kMaxRules);
    if (reloaded.rules.size() == rules)
        for (size_t i = 0; i < rules; ++i)
            if (reloaded.rules[i].problem != settings.rules[i].problem)
                std::abort();
    const size_t windows = std::min(settings.windows.size(), automation::kMaxWindows);
    if (reloaded.windows.size() != windows)
        std::abort();
    for (size_t i = 0; i < windows; ++i)
        if (reloaded.windows[i].problem != settings.windows[i].problem)
            std::abort();
    return 0;
}
