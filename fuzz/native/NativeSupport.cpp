// What the decoders need of the Windows side, for the native build: the
// precondition report ends the process with a signal the fuzzer and the
// death tests see. Notices are an expected outcome of bad input, so they
// are dropped instead of shown.

#include "kelp/System/Assert.h"
#include "kelp/System/MessageBox.h"

#include <cstdio>
#include <cstdlib>

namespace kelp {

void AssertionFailed(const char* condition, const char* source, int line)
{
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", condition, source, line);
    std::abort();
}

void ShowMessage(const char*, const char*) {}

} // namespace kelp
