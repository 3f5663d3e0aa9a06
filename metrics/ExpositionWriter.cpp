#include "metrics/ExpositionWriter.h"

#include <charconv>
#include <cmath>

namespace metrics {
namespace {

bool IsNameStart(char c, bool colonAllowed)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || (colonAllowed && c == ':');
}

bool IsName(std::string_view name, bool colonAllowed)
{
    if (name.empty() || !IsNameStart(name.front(), colonAllowed))
        return false;
    for (char c : name)
        if (!IsNameStart(c, colonAllowed) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

// Help texts escape the backslash and the line feed; label values also the
// double quote that would end them.
void AppendEscaped(std::string& out, std::string_view text, bool quoteToo)
{
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '"' && quoteToo)
            out += "\\\"";
        else
            out += c;
    }
}

} // namespace

bool IsMetricName(std::string_view name)
{
    return IsName(name, true);
}

bool IsLabelName(std::string_view name)
{
    // Names starting with two underscores are the server's own.
    return IsName(name, false) && name.substr(0, 2) != "__";
}

std::string FormatNumber(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "+Inf" : "-Inf";
    if (value == 0)
        return "0"; // also for -0
    char text[32];
    // to_chars ignores the locale: always a point, never a thousands separator.
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

bool ExpositionWriter::Family(std::string_view name, std::string_view help, MetricType type)
{
    constexpr std::string_view kTotal = "_total";
    accepting_ = IsMetricName(name) &&
                 (type != MetricType::Counter || (name.size() > kTotal.size() && name.ends_with(kTotal)));
    family_.assign(name);
    if (!accepting_)
        return false;
    text_ += "# HELP ";
    text_ += name;
    text_ += ' ';
    AppendEscaped(text_, help, false);
    text_ += "\n# TYPE ";
    text_ += name;
    text_ += type == MetricType::Counter ? " counter\n" : " gauge\n";
    return true;
}

bool ExpositionWriter::SampleStart(std::initializer_list<Label> labels)
{
    if (!accepting_)
        return false;
    for (const Label& label : labels)
        if (!IsLabelName(label.name))
            return false;
    text_ += family_;
    if (labels.size() != 0) {
        text_ += '{';
        bool first = true;
        for (const Label& label : labels) {
            if (!first)
                text_ += ',';
            first = false;
            text_ += label.name;
            text_ += "=\"";
            AppendEscaped(text_, label.value, true);
            text_ += '"';
        }
        text_ += '}';
    }
    text_ += ' ';
    return true;
}

void ExpositionWriter::Sample(std::initializer_list<Label> labels, double value)
{
    if (!SampleStart(labels))
        return;
    text_ += FormatNumber(value);
    text_ += '\n';
}

void ExpositionWriter::Sample(std::initializer_list<Label> labels, uint64_t value)
{
    if (!SampleStart(labels))
        return;
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    text_.append(text, result.ptr);
    text_ += '\n';
}

} // namespace metrics
