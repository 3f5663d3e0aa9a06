// The system-control service program of the virtual board.
#include "board/syscontrol/SysControlService.h"

int main(int argc, char** argv)
{
    kelp::board::SysControlService service(argc, argv);
    return service.Run();
}
