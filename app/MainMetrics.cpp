#include "app/MainMetrics.h"

#include "app/ControlChannel.h"
#include "app/ProgramVersion.h"
#include "framework/system/ProcessWide.h"
#include "metrics/MetricsExporter.h"
#include "policy/Policies.h"

namespace {

std::optional<metrics::Snapshot> TakeSnapshot()
{
    std::optional<kelp::control::Status> status = CurrentControlStatus();
    if (!status)
        return std::nullopt;
    metrics::Snapshot snapshot;
    snapshot.status = *status;
    snapshot.modeChanges = ModeChangeCounts();
    snapshot.version = PELLIX_VERSION_TEXT;
    return snapshot;
}

class MainMetrics final : private policy::PolicyListener {
public:
    MainMetrics() : exporter_(&TakeSnapshot)
    {
        exporter_.Configure(policy::CurrentPolicies());
        policy::PlugPolicyListener(this);
    }

    void Tick(const history::Tick& tick) { exporter_.Tick(tick.modeIndex, tick.seconds); }

private:
    void PoliciesChanged(const policy::PolicySet& now) override { exporter_.Configure(now); }

    metrics::MetricsExporter exporter_;
};

} // namespace

void TickMetrics(const history::Tick& tick)
{
    static ProcessWide<MainMetrics> metrics;
    metrics->Tick(tick);
}
