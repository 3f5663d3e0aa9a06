// The metrics text with any help text and label value: every line stays a
// comment or one sample of its family, so no value can add a line, end its
// string early or smuggle in a sample.

#include "metrics/ExpositionWriter.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t cut = bytes.find('\0');
    const std::string_view help = bytes.substr(0, cut);
    const std::string_view value = cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1);
    metrics::ExpositionWriter out;
    out.Family("pellix_fuzz", help, metrics::MetricType::Gauge);
    out.Sample({{"value", value}}, 1.0);
    out.Sample({{"a", value}, {"b", help}}, uint64_t(2));
    const std::string& text = out.Text();
    size_t lines = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos)
            __builtin_trap(); // every line ends
        const std::string_view line(text.data() + start, end - start);
        ++lines;
        if (lines > 2) {
            // A sample: its label values' quotes are all escaped but the pairs'.
            if (line.substr(0, 12) != "pellix_fuzz{")
                __builtin_trap();
            size_t quotes = 0;
            for (size_t i = 0; i < line.size(); ++i) {
                if (line[i] == '\\')
                    ++i;
                else if (line[i] == '"')
                    ++quotes;
            }
            if (quotes != (lines == 3 ? 2u : 4u))
                __builtin_trap();
        }
        start = end + 1;
    }
    if (lines != 4)
        __builtin_trap();
    return 0;
}
