#pragma once
// Writer of the Prometheus text exposition format (version 0.0.4), as the
// exporters' textfile collectors read it: per metric family one HELP and
// one TYPE line, then its samples, each "name{label="value",...} number"
// and a line feed. Numbers are written the same in any locale; label values
// and help texts are escaped, so that no value can end a line or a string
// early. Plain C++.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace metrics {

enum class MetricType { Gauge, Counter };

struct Label {
    std::string_view name;
    std::string_view value;
};

class ExpositionWriter {
public:
    // Starts a family. A name that is not a valid metric name (or a counter
    // not ending in "_total") is refused: false, and its samples are left
    // out until the next family starts.
    bool Family(std::string_view name, std::string_view help, MetricType type);
    // One sample of the family begun last. Label names must be valid label
    // names; a sample with a bad one is left out. Not-a-number and the
    // infinities are written as the format spells them.
    void Sample(std::initializer_list<Label> labels, double value);
    void Sample(std::initializer_list<Label> labels, uint64_t value);
    void Sample(double value) { Sample({}, value); }

    const std::string& Text() const { return text_; }

private:
    bool SampleStart(std::initializer_list<Label> labels);

    std::string text_;
    std::string family_;
    bool accepting_ = false;
};

bool IsMetricName(std::string_view name);
bool IsLabelName(std::string_view name);
// The number as the format reads it: "NaN", "+Inf", "-Inf", or the
// shortest decimal that reads back as the same double.
std::string FormatNumber(double value);

} // namespace metrics
