#include "foundation/shell/ShellWindows.h"
#include "tests/foundation/shell/FakeShell.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The shell windows here are the test's own: a real shell's would be
// hidden by these tests.
#define REQUIRE_NO_REAL_SHELL() ASSERT_FALSE(ShellWindowsExist()) << "a shell is running on this desktop"

TEST(ShellWindows, WithoutATaskbarNothingHappens)
{
    REQUIRE_NO_REAL_SHELL();
    EXPECT_FALSE(ShowTaskbar(FALSE));
    EXPECT_FALSE(ShowTaskbarChild304(FALSE));
    EXPECT_FALSE(ShowTaskbarChild303(FALSE));
    ShowDesktopWindow(FALSE);   // no desktop window: nothing to do
    HideShellWindows();
    RestoreShellWindows();
    EXPECT_FALSE(ShellWindowsExist());
}

TEST(ShellWindows, EachFunctionShowsAndHidesItsWindow)
{
    REQUIRE_NO_REAL_SHELL();
    FakeShell shell;
    ASSERT_TRUE(shell.Made());
    struct Case
    {
        const char* what;
        HWND window;
        BOOL (*show)(BOOL);
    };
    const Case cases[] = {
        {"Start button", shell.m_start, ShowTaskbarChild304},
        {"tray", shell.m_tray, ShowTaskbarChild303},
        {"taskbar", shell.m_taskbar, ShowTaskbar},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.show(FALSE)) << c.what;
        EXPECT_FALSE(IsWindowVisible(c.window)) << c.what;
        EXPECT_TRUE(c.show(TRUE)) << c.what;
        EXPECT_TRUE(IsWindowVisible(c.window)) << c.what;
    }
    // The tray's hiding leaves its outer window alone.
    ShowTaskbarChild303(FALSE);
    EXPECT_TRUE(IsWindowVisible(shell.m_trayOuter));
    ShowTaskbarChild303(TRUE);

    // The desktop changes only its visibility.
    RECT before, after;
    GetWindowRect(shell.m_desktop, &before);
    ShowDesktopWindow(FALSE);
    EXPECT_FALSE(IsWindowVisible(shell.m_desktop));
    ShowDesktopWindow(TRUE);
    EXPECT_TRUE(IsWindowVisible(shell.m_desktop));
    GetWindowRect(shell.m_desktop, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(shell.AllVisible());
}

TEST(ShellWindows, HideAllAndRestoreThem)
{
    REQUIRE_NO_REAL_SHELL();
    FakeShell shell;
    ASSERT_TRUE(shell.Made());
    HideShellWindows();
    EXPECT_TRUE(shell.AllWereHidden());
    EXPECT_FALSE(IsWindowVisible(shell.m_desktop));
    EXPECT_FALSE(IsWindowVisible(shell.m_taskbar));
    RestoreShellWindows();
    EXPECT_TRUE(shell.AllVisible());
    // A second restore has nothing left to do.
    ShowTaskbar(FALSE);
    RestoreShellWindows();
    EXPECT_FALSE(IsWindowVisible(shell.m_taskbar));
    ShowTaskbar(TRUE);
}

TEST(ShellWindows, AWindowAlreadyHiddenStaysHidden)
{
    REQUIRE_NO_REAL_SHELL();
    FakeShell shell;
    ASSERT_TRUE(shell.Made());
    ShowTaskbarChild304(FALSE);   // the user's choice, before the program
    HideShellWindows();
    RestoreShellWindows();
    EXPECT_TRUE(IsWindowVisible(shell.m_taskbar));
    EXPECT_FALSE(IsWindowVisible(shell.m_start));
}

std::string ChildProgram()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "shell_restore_child.exe";
}

// Runs the child program, answering its calls on the fake windows while it
// runs; its exit code, or -1 when it did not end within 30 s.
long RunChild(const std::string& how)
{
    std::string command = "\"" + ChildProgram() + "\" " + how;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -2;
    const bool ended = tavrix_test::PumpUntil(
        [&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 30000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended ? static_cast<long>(code) : -1;
}

TEST(ShellWindows, ShownAgainHoweverTheProgramEnds)
{
    REQUIRE_NO_REAL_SHELL();
    const struct {
        const char* how;
        bool cleanExit;
        long code;
    } endings[] = {
        {"return", true, 0},
        {"exit", true, 3},
        {"throw", false, 0},
        {"crash", false, 0},
        {"abort", false, 0},
    };
    for (const auto& ending : endings) {
        FakeShell shell;
        ASSERT_TRUE(shell.Made());
        const long code = RunChild(ending.how);
        ASSERT_NE(-2, code) << "cannot start " << ChildProgram();
        ASSERT_NE(-1, code) << ending.how << ": the program did not end";
        if (ending.cleanExit)
            EXPECT_EQ(ending.code, code) << ending.how;
        else
            EXPECT_NE(0, code) << ending.how;
        tavrix_test::PumpUntil([] { return false; }, 50);
        EXPECT_TRUE(shell.AllWereHidden()) << ending.how << ": the program did not hide them";
        EXPECT_TRUE(shell.AllVisible()) << ending.how << ": left hidden";
    }
}

} // namespace
