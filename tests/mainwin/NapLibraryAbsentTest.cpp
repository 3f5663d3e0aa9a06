// A board without the nap library: the program starts without a word about
// it, and the fan chip's registers are reached the way the board's
// power-gear library says (the current board forwards them through a BIOS
// item, so no hardware-monitor port is touched).

#include "tests/board/support/BoardTestSupport.h"
#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace programtest;

namespace {
constexpr const char* kFanStoreKey = "Software\\VANTOR\\Corvex\\Ventry";

// Moves Dozla.dll out of the program's folder for its lifetime.
class NapLibraryAway {
public:
    NapLibraryAway()
        : present_(boardtest::RuntimeFolder() + "Dozla.dll"), away_(present_ + ".away")
    {
        moved_ = MoveFileExA(present_.c_str(), away_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    }
    ~NapLibraryAway()
    {
        if (moved_)
            MoveFileExA(away_.c_str(), present_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    NapLibraryAway(const NapLibraryAway&) = delete;
    NapLibraryAway& operator=(const NapLibraryAway&) = delete;
    bool Moved() const { return moved_; }

private:
    std::string present_;
    std::string away_;
    bool moved_ = false;
};

// Sets PELLIX_SIO_LOG for the programs started meanwhile.
class PortLog {
public:
    PortLog()
    {
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        path_ = std::string(folder) + "pellix-nap-absent-ports.log";
        DeleteFileA(path_.c_str());
        SetEnvironmentVariableA("PELLIX_SIO_LOG", path_.c_str());
    }
    ~PortLog() { SetEnvironmentVariableA("PELLIX_SIO_LOG", nullptr); }
    PortLog(const PortLog&) = delete;
    PortLog& operator=(const PortLog&) = delete;

    // Accesses to the hardware monitor's address port (0x295).
    int MonitorAccesses() const
    {
        std::ifstream file(path_);
        std::string line;
        int count = 0;
        while (std::getline(file, line)) {
            std::istringstream fields(line);
            std::string process, direction, port;
            fields >> process >> direction >> port;
            count += port == "295";
        }
        return count;
    }
    bool Empty() const
    {
        std::ifstream file(path_);
        return file.peek() == std::ifstream::traits_type::eof();
    }

private:
    std::string path_;
};
} // namespace

TEST(NapLibraryAbsent, StartIsSilentAndTheFanChipFollowsThePowerGear)
{
    ResetProgramRegistry();
    // No stored user curve: the fan library reads the CPU temperature from
    // the chip while the program starts.
    for (const char* name : {"Temp3", "Temp4", "Temp5", "Speed3", "Speed4", "Speed5"})
        DeleteValue(kFanStoreKey, name);
    NapLibraryAway away;
    ASSERT_TRUE(away.Moved());
    PortLog ports;

    Program program("");
    ASSERT_TRUE(program.Started());
    // The library-missing notices are system message boxes.
    HWND box = program.Process().WaitForWindow("#32770", 3000);
    EXPECT_EQ(box, nullptr) << MessageBoxText(box);
    EXPECT_FALSE(ports.Empty()) << "the chip was not started";
    EXPECT_EQ(ports.MonitorAccesses(), 0) << "fan registers reached by port I/O";
}
