#pragma once
// Debugger-output tracing: one formatted line per call, never written to files.

// printf-style; the line is cut to 4093 characters, stripped of trailing
// white space, ended with CR LF and passed to OutputDebugStringA.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Observer that also receives every finished line (tests read traces back
// through it). Pass nullptr to remove. The observer may be called from any
// thread and must be thread-safe.
using TraceObserver = void (*)(const char* line);
void SetTraceObserver(TraceObserver observer);
