// TavrixVJ.exe starts from the program folder, shows its main window and
// ends cleanly on WM_CLOSE; without KVLib.dll it does not start at all.
#include "tests/support/TestSupport.h"

#include <windows.h>

#include <string>
#include <vector>

using namespace tavrix_test;

namespace {

struct Launched
{
    PROCESS_INFORMATION pi = {};
    bool started = false;
    ~Launched()
    {
        if (!started)
            return;
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(pi.hProcess, 99);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
};

bool Launch(const std::string& exe, const std::string& workDir, Launched& out)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string cmd = "\"" + exe + "\"";
    std::vector<char> buf(cmd.begin(), cmd.end());
    buf.push_back('\0');
    out.started = CreateProcessA(exe.c_str(), buf.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, workDir.c_str(), &si, &out.pi) != 0;
    return out.started;
}

struct FindCtx
{
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hWnd, LPARAM lParam)
{
    FindCtx* ctx = reinterpret_cast<FindCtx*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid == ctx->pid && IsWindowVisible(hWnd) && !GetParent(hWnd)) {
        ctx->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Polls for the process's visible top-level window, at most timeoutMs.
HWND WaitForMainWindow(const Launched& p, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        FindCtx ctx = {p.pi.dwProcessId, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&ctx));
        if (ctx.found)
            return ctx.found;
        if (WaitForSingleObject(p.pi.hProcess, 50) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

} // namespace

TEST(Program, ShowsMainWindowAndEndsWithCodeZeroOnClose)
{
    // A copy of the program folder: what the program writes beside itself
    // stays this test's own.
    TempDir dir;
    ASSERT_TRUE(CopyTree(ImageDir(), dir.Path())) << "cannot copy " << ImageDir();
    // Not a first run: the first-run notice has its own test.
    ASSERT_TRUE(WritePrivateProfileStringA("MAIN", "NewInstall", "0", dir.File("TavrixVJ.INI").c_str()));
    std::string exe = dir.File("TavrixVJ.exe");
    Launched p;
    ASSERT_TRUE(Launch(exe, dir.Path(), p)) << "cannot start " << exe;

    HWND hWnd = WaitForMainWindow(p, 30000);
    ASSERT_NE(nullptr, hWnd) << "no main window appeared";
    char title[64] = {};
    GetWindowTextA(hWnd, title, sizeof title);
    EXPECT_STREQ("TAVRIX PRO DJ", title);

    ASSERT_TRUE(PostMessageA(hWnd, WM_CLOSE, 0, 0));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(p.pi.hProcess, 30000)) << "did not end";
    DWORD code = 12345;
    ASSERT_TRUE(GetExitCodeProcess(p.pi.hProcess, &code));
    EXPECT_EQ(0u, code);
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

    Launched p;
    if (!Launch(dir.File("TavrixVJ.exe"), dir.Path(), p))
        return; // the loader refused it outright: that is a refusal too
    EXPECT_EQ(nullptr, WaitForMainWindow(p, 5000)) << "a window appeared without KVLib";
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(p.pi.hProcess, 30000));
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(p.pi.hProcess, &code));
    EXPECT_NE(0u, code);
}
