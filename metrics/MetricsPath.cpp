#include "metrics/MetricsPath.h"

#include <array>

namespace metrics {
namespace {

constexpr std::wstring_view kExtension = L".prom";

wchar_t Lower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

// Names Windows opens as devices in any folder and with any extension.
bool IsDeviceName(std::wstring_view step)
{
    const std::wstring_view base = step.substr(0, step.find(L'.'));
    static constexpr std::array<std::wstring_view, 4> kPlain = {L"con", L"prn", L"aux", L"nul"};
    for (std::wstring_view name : kPlain)
        if (EqualsIgnoringCase(base, name))
            return true;
    if (base.size() == 4 && base[3] >= L'1' && base[3] <= L'9')
        return EqualsIgnoringCase(base.substr(0, 3), L"com") || EqualsIgnoringCase(base.substr(0, 3), L"lpt");
    return false;
}

bool IsGoodStep(std::wstring_view step)
{
    if (step.empty() || step == L"." || step == L".." || step.back() == L'.' || step.back() == L' ')
        return false;
    for (wchar_t c : step)
        if (c < 0x20 || std::wstring_view(L"<>:\"/|?*").find(c) != std::wstring_view::npos)
            return false;
    return !IsDeviceName(step);
}

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

} // namespace

std::optional<MetricsPath> ParseMetricsPath(std::wstring_view text, PathProblem& problem)
{
    problem = PathProblem::None;
    if (text.size() > kMaxPathChars) {
        problem = PathProblem::TooLong;
        return std::nullopt;
    }
    if (text.size() < 3 || !IsDriveLetter(text[0]) || text[1] != L':' || text[2] != L'\\') {
        problem = PathProblem::NotLocal;
        return std::nullopt;
    }
    MetricsPath path;
    for (size_t start = 3;;) {
        const size_t end = text.find(L'\\', start);
        const std::wstring_view step = text.substr(start, end == std::wstring_view::npos ? end : end - start);
        if (!IsGoodStep(step)) {
            problem = PathProblem::BadStep;
            return std::nullopt;
        }
        if (end == std::wstring_view::npos)
            break;
        path.folders.emplace_back(text.substr(0, end));
        start = end + 1;
    }
    const std::wstring_view name = text.substr(text.rfind(L'\\') + 1);
    if (name.size() <= kExtension.size() || !EqualsIgnoringCase(name.substr(name.size() - kExtension.size()), kExtension)) {
        problem = PathProblem::NotPromFile;
        return std::nullopt;
    }
    path.file.assign(text);
    path.temporary = path.file + std::wstring(kTemporarySuffix);
    return path;
}

} // namespace metrics
