#pragma once
// Runs one pellixctl invocation against the running program and gives its
// exit code.

#include "ctl/CtlCommandLine.h"

namespace ctl {

int Run(const Invocation& invocation);
// The exit code and message of a command line that did not parse.
int ReportUsageError(const UsageError& error);

} // namespace ctl
