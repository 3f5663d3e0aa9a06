#include "framework/system/Trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <windows.h>

namespace {
std::atomic<TraceObserver> g_observer{nullptr};

bool IsTrailingSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
} // namespace

void Trace(const char* format, ...)
{
    constexpr size_t kBufferSize = 4096;
    constexpr size_t kMaxKept = kBufferSize - 3; // room for CR, LF and the terminator
    char line[kBufferSize];

    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(line, kMaxKept + 1, format, args);
    va_end(args);
    if (written < 0)
        line[0] = '\0';

    size_t length = std::strlen(line);
    while (length > 0 && IsTrailingSpace(line[length - 1]))
        --length;
    line[length++] = '\r';
    line[length++] = '\n';
    line[length] = '\0';

    OutputDebugStringA(line);
    if (TraceObserver observer = g_observer.load())
        observer(line);
}

void SetTraceObserver(TraceObserver observer)
{
    g_observer.store(observer);
}
