#pragma once
// Failed-precondition report. The source path and line are part of the
// report users and support staff see, so callers pass them explicitly
// instead of relying on __FILE__/__LINE__ of this build tree.

namespace kelp {

// Shows "Assertion failed: <condition>, file <source>, line <line>" and ends
// the process with exit code 3. The report also goes to stderr and the
// debugger output; with the environment variable PELLIX_ASSERT_QUIET set no
// message box is shown (unattended runs).
[[noreturn]] void AssertionFailed(const char* condition, const char* source, int line);

} // namespace kelp

#define KELP_ASSERT(condition, source, line) \
    ((condition) ? (void)0 : ::kelp::AssertionFailed(#condition, source, line))
