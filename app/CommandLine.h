#pragma once
// Command-line switches: an argument that is "-" followed by the switch
// name, compared without regard to case ("/" does not introduce a switch).

#include <string>
#include <vector>

bool HasSwitch(const std::vector<std::string>& arguments, const char* name);

// The process's arguments after the program name.
std::vector<std::string> ProgramArguments();

// Started at log-on: the "-b" switch.
bool IsBootStart(const std::vector<std::string>& arguments);
