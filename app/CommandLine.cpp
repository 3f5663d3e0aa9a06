#include "app/CommandLine.h"

#include <cstdlib>
#include <windows.h>

bool HasSwitch(const std::vector<std::string>& arguments, const char* name)
{
    for (const std::string& argument : arguments)
        if (argument.size() > 1 && argument[0] == '-' && lstrcmpiA(argument.c_str() + 1, name) == 0)
            return true;
    return false;
}

std::vector<std::string> ProgramArguments()
{
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i]);
    return arguments;
}

bool IsBootStart(const std::vector<std::string>& arguments)
{
    return HasSwitch(arguments, "b");
}
