// TavrixVJ.exe starts from the program folder, shows its main window and
// ends cleanly on WM_CLOSE; without KVLib.dll it does not start at all.
#include "tests/support/ProgramRun.h"

#include <windows.h>

using namespace tavrix_test;

TEST(Program, ShowsMainWindowAndEndsWithCodeZeroOnClose)
{
    // A copy of the program folder: what the program writes beside itself
    // stays this test's own.
    ProgramRun run;
    ASSERT_TRUE(run.Ready()) << "cannot copy " << ImageDir();
    // Not a first run: the first-run notice has its own test.
    ASSERT_TRUE(WritePrivateProfileStringA("MAIN", "NewInstall", "0", run.File("TavrixVJ.INI").c_str()));
    ASSERT_TRUE(run.Start()) << "cannot start " << run.File("TavrixVJ.exe");

    // The main window, not the track-info strip beside it (a top-level
    // window of its own when the skin shows it).
    HWND hWnd = run.WaitForMainWindow();
    ASSERT_NE(nullptr, hWnd) << "no main window appeared";
    char title[64] = {};
    GetWindowTextA(hWnd, title, sizeof title);
    EXPECT_STREQ("TAVRIX PRO DJ", title);

    ASSERT_TRUE(PostMessageA(hWnd, WM_CLOSE, 0, 0));
    EXPECT_EQ(0, run.WaitForExit()) << "did not end with code 0";
}

TEST(Program, RefusesToStartWithoutKVLib)
{
    // A program folder that holds everything but KVLib.dll.
    TempDir dir;
    for (const char* name : {"TavrixVJ.exe", "dk_dsound_output.dll", "libgcc_s_dw2-1.dll",
                             "libgcc_s_seh-1.dll", "libwinpthread-1.dll"}) {
        std::string from = ImageDir() + "\\" + name;
        if (GetFileAttributesA(from.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ASSERT_TRUE(CopyFileTo(from, dir.File(name))) << name;
        }
    }
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dir.File("KVLib.dll").c_str()));

    ProgramRun run(dir.Path());
    ASSERT_TRUE(run.Ready());
    if (!run.Start())
        return; // the loader refused it outright: that is a refusal too
    EXPECT_EQ(nullptr, run.WaitForAnyWindow(5000)) << "a window appeared without KVLib";
    const long code = run.WaitForExit();
    ASSERT_NE(-1, code) << "did not end";
    EXPECT_NE(0, code);
}
