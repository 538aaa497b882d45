#include <gtest/gtest.h>

#include <windows.h>

int main(int argc, char** argv)
{
    // A crash in a test must end the program, never wait on an error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
