#include "board/boardctl/BoardCommands.h"

#include <cstdio>

int main(int argc, char** argv)
{
    return boardctl::Run(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}
