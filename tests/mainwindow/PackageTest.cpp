// The program folder as the zip gives it (tests/mainwindow/package-test.sh
// unpacks the zip into an empty folder and names it in TAVRIX_UNPACKED):
// the program starts from there alone, first run and all.
#include "tests/support/ProgramRun.h"

#include <windows.h>

#include <cstdlib>

using namespace tavrix_test;

namespace {

TEST(Package, TheUnpackedFolderStartsOnItsOwn)
{
    const char* folder = std::getenv("TAVRIX_UNPACKED");
    if (!folder || !*folder)
        GTEST_SKIP() << "TAVRIX_UNPACKED not set: run by tests/mainwindow/package-test.sh";
    ProgramRun run(folder);
    ASSERT_TRUE(run.Ready()) << folder;
    ASSERT_TRUE(run.Start());
    // A fresh install: the first-run notice, then the main window on the
    // Default skin.
    HWND notice = run.WaitForNotice();
    ASSERT_NE(nullptr, notice) << "no first-run notice";
    ASSERT_TRUE(PostMessageA(notice, WM_COMMAND, IDOK, 0));
    HWND hWnd = run.WaitForMainWindow();
    ASSERT_NE(nullptr, hWnd) << "no main window";
    RECT r;
    ASSERT_TRUE(GetWindowRect(hWnd, &r));
    EXPECT_EQ(1024, r.right - r.left);
    EXPECT_EQ(768, r.bottom - r.top);
    ASSERT_TRUE(PostMessageA(hWnd, WM_COMMAND, 27005, 0));
    EXPECT_EQ(0, run.WaitForExit());
    EXPECT_EQ("0", run.Setting("MAIN", "NewInstall"));
}

} // namespace
