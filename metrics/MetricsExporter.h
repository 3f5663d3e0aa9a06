#pragma once
// The metrics file of the organisation's policy (MetricsFile,
// MetricsIntervalSeconds), kept by the program's energy tick: no thread
// and no timer of its own, and nothing but a little bookkeeping per tick
// while no file is named. A file that cannot be written costs one trace
// line when it starts failing (and one when the reason changes or it
// works again), never one per tick, and nothing else.

#include "metrics/ExportSchedule.h"
#include "metrics/MetricsFile.h"
#include "metrics/MetricsSnapshot.h"
#include "policy/PolicySet.h"

#include <functional>
#include <optional>

namespace metrics {

class MetricsExporter {
public:
    // The status, counts and version; the exporter adds the mode seconds.
    // Nothing when there is nothing to tell yet.
    using SnapshotSource = std::function<std::optional<Snapshot>()>;

    explicit MetricsExporter(SnapshotSource source) : source_(std::move(source)) {}

    // Takes the file and interval of the policies in force; a new file or
    // interval is written at the next tick.
    void Configure(const policy::PolicySet& policies);
    // One energy tick: `seconds` spent in the mode of `modeIndex`.
    void Tick(int modeIndex, double seconds);

    bool IsExporting() const { return path_.has_value(); }
    uint32_t Interval() const { return schedule_.Interval(); }
    const std::array<double, history::kModes>& ModeSeconds() const { return modeSeconds_; }

private:
    void Report(WriteOutcome outcome);

    SnapshotSource source_;
    std::optional<std::string> configuredFile_;
    std::optional<uint32_t> configuredInterval_;
    std::optional<MetricsPath> path_;
    ExportSchedule schedule_;
    std::array<double, history::kModes> modeSeconds_{};
    std::optional<WriteOutcome> lastOutcome_;
};

} // namespace metrics
