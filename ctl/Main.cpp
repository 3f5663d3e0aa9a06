// pellixctl: queries and controls the running Pellix from a command line.

#include "ctl/CtlCommands.h"

#include <windows.h>

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const ctl::Parsed parsed = ctl::ParseCommandLine(args);
    if (!parsed.invocation)
        return ctl::ReportUsageError(parsed.error);
    return ctl::Run(*parsed.invocation);
}
