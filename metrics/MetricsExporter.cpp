#include "metrics/MetricsExporter.h"

#include "framework/system/Trace.h"

#include <windows.h>

namespace metrics {
namespace {

// Policy strings come from the registry's ANSI view.
std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

const char* ProblemText(PathProblem problem)
{
    switch (problem) {
    case PathProblem::TooLong:
        return "path too long";
    case PathProblem::NotLocal:
        return "not a local drive path";
    case PathProblem::BadStep:
        return "a folder or file name that is not allowed";
    case PathProblem::NotPromFile:
        return "not a .prom file";
    case PathProblem::None:
        break;
    }
    return "refused";
}

} // namespace

void MetricsExporter::Configure(const policy::PolicySet& policies)
{
    if (policies.metricsFile == configuredFile_ && policies.metricsIntervalSeconds == configuredInterval_)
        return;
    configuredFile_ = policies.metricsFile;
    configuredInterval_ = policies.metricsIntervalSeconds;
    path_.reset();
    lastOutcome_.reset();
    schedule_.Restart(EffectiveInterval(configuredInterval_));
    if (!configuredFile_)
        return;
    PathProblem problem = PathProblem::None;
    path_ = ParseMetricsPath(Widen(*configuredFile_), problem);
    if (!path_)
        Trace("~~~[Metrics] %s not written: %s", configuredFile_->c_str(), ProblemText(problem));
    else
        Trace("~~~[Metrics] writing %s every %u s", configuredFile_->c_str(), unsigned(schedule_.Interval()));
}

void MetricsExporter::Tick(int modeIndex, double seconds)
{
    if (modeIndex >= 0 && modeIndex < history::kModes && seconds > 0)
        modeSeconds_[modeIndex] += seconds;
    if (!path_ || !schedule_.Tick(seconds))
        return;
    std::optional<Snapshot> snapshot = source_();
    if (!snapshot)
        return;
    snapshot->modeSeconds = modeSeconds_;
    Report(ReplaceMetricsFile(*path_, RenderMetrics(*snapshot)));
}

void MetricsExporter::Report(WriteOutcome outcome)
{
    const WriteOutcome last = lastOutcome_.value_or(WriteOutcome::Written);
    lastOutcome_ = outcome;
    if (outcome == last)
        return;
    if (outcome == WriteOutcome::Written)
        Trace("~~~[Metrics] %s written again", configuredFile_->c_str());
    else
        Trace("~~~[Metrics] %s not written: %s", configuredFile_->c_str(), WriteOutcomeText(outcome));
}

} // namespace metrics
