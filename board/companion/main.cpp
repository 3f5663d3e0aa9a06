// The graphics-card companion program of the virtual board.
#include "board/companion/VgaCompanion.h"

int main(int argc, char** argv)
{
    kelp::board::VgaCompanion companion(argc, argv);
    return companion.Run();
}
