#include <gtest/gtest.h>
#include <windows.h>

int main(int argc, char** argv)
{
    // A failing test must never hang the run behind a modal error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
