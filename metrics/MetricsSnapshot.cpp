#include "metrics/MetricsSnapshot.h"

#include "engine/ModeModel.h"
#include "metrics/ExpositionWriter.h"
#include "policy/PolicySet.h"

namespace metrics {
namespace {

constexpr double kJoulesPerWattHour = 3600;
// By mode index; the names are the ones policies and pellixctl use.
constexpr int kModeLevels[history::kModes] = {GearLevel::Turbo, GearLevel::HighPerformance, GearLevel::MediumSaving,
                                              GearLevel::MaxSaving, GearLevel::Auto};

double Flag(bool set)
{
    return set ? 1 : 0;
}

void ModeFamilies(ExpositionWriter& out, const Snapshot& snapshot)
{
    const kelp::control::Status& status = snapshot.status;
    const int level = int(status.level);
    out.Family("pellix_mode", "The power mode in force: 1 for the current mode, 0 for the others.",
               MetricType::Gauge);
    for (int mode : kModeLevels)
        out.Sample({{"mode", policy::PolicyModeName(mode)}}, Flag(level == mode));

    out.Family("pellix_auto_gear", "The saving gear Auto runs now: 1 for it, 0 for the others (all 0 outside Auto).",
               MetricType::Gauge);
    const bool inAuto = level == GearLevel::Auto && status.autoGear < uint32_t(history::kAutoGears);
    for (int gear = 0; gear < history::kAutoGears; ++gear)
        out.Sample({{"gear", policy::PolicyModeName(IndexToLevel(gear))}},
                   Flag(inAuto && status.autoGear == uint32_t(gear)));

    out.Family("pellix_mode_seconds_total", "Seconds spent in each mode since the program started.",
               MetricType::Counter);
    for (int mode = 0; mode < history::kModes; ++mode)
        out.Sample({{"mode", policy::PolicyModeName(kModeLevels[mode])}}, snapshot.modeSeconds[mode]);

    out.Family("pellix_mode_changes_total", "Mode changes since the program started, by what asked for them.",
               MetricType::Counter);
    for (size_t cause = 0; cause < kModeChangeCauseCount; ++cause)
        out.Sample({{"cause", ModeChangeCauseName(ModeChangeCause(cause))}}, snapshot.modeChanges[cause]);
}

void EnergyFamilies(ExpositionWriter& out, const kelp::control::Status& status)
{
    out.Family("pellix_cpu_power_watts", "CPU power as last measured.", MetricType::Gauge);
    out.Sample(status.cpuPowerW);
    out.Family("pellix_graphics_card_power_watts", "Graphics card power as its companion last reported.",
               MetricType::Gauge);
    out.Sample(status.vgaPowerW);

    out.Family("pellix_energy_saved_joules_total", "Energy saved since the first start, by the board and by the graphics card.",
               MetricType::Counter);
    out.Sample({{"device", "board"}}, status.boardTotalWh * kJoulesPerWattHour);
    out.Sample({{"device", "graphics_card"}}, status.vgaTotalWh * kJoulesPerWattHour);
    out.Family("pellix_energy_saved_since_reset_joules",
               "Energy saved since the user last cleared the count, by the board and by the graphics card.",
               MetricType::Gauge);
    out.Sample({{"device", "board"}}, status.boardCurrentWh * kJoulesPerWattHour);
    out.Sample({{"device", "graphics_card"}}, status.vgaCurrentWh * kJoulesPerWattHour);

    // Gauges: they follow the emission factor, which the user may change.
    out.Family("pellix_co2_avoided_grams", "CO2 avoided by the energy saved since the first start.",
               MetricType::Gauge);
    out.Sample(kelp::control::Co2Grams(status, status.boardTotalWh + status.vgaTotalWh));
    out.Family("pellix_co2_avoided_since_reset_grams", "CO2 avoided by the energy saved since the count was cleared.",
               MetricType::Gauge);
    out.Sample(kelp::control::Co2Grams(status, status.boardCurrentWh + status.vgaCurrentWh));
}

} // namespace

std::string RenderMetrics(const Snapshot& snapshot)
{
    ExpositionWriter out;
    ModeFamilies(out, snapshot);
    EnergyFamilies(out, snapshot.status);
    out.Family("pellix_calibration_needed", "1 while Auto needs a calibration first.", MetricType::Gauge);
    out.Sample(Flag(snapshot.status.flags & kelp::control::kCalibrationNeeded));
    out.Family("pellix_build_info", "The program's version; always 1.", MetricType::Gauge);
    out.Sample({{"version", snapshot.version}}, 1.0);
    return out.Text();
}

} // namespace metrics
