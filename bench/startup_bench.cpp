// Start and exit of TavrixVJ.exe: the time from process start to the main
// window shown with the Default skin and an empty library, and from the
// close command (27005) to the process's end. Runs the program from a copy
// of its folder: startup_bench [PROGRAM_FOLDER] [ROUNDS] (the folder
// defaults to TAVRIX_IMAGE, as the build's Wine wrapper sets it).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "tests/support/TestSupport.h"

namespace {

struct Find
{
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMain(HWND hWnd, LPARAM lParam)
{
    Find* f = reinterpret_cast<Find*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    char title[32] = {};
    if (pid == f->pid && IsWindowVisible(hWnd) && !GetParent(hWnd) && GetWindowTextA(hWnd, title, sizeof title) &&
        std::string(title) == "TAVRIX PRO DJ") {
        f->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

// The cost of starting and ending any process under this system, for scale.
double BaselineStart()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string cmd = std::string("\"") + self + "\" --noop";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    const double t0 = bench::Now();
    if (!CreateProcessA(self, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, 60000);
    const double t1 = bench::Now();
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return t1 - t0;
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--noop")
        return 0;
    const char* image = argc > 1 ? argv[1] : std::getenv("TAVRIX_IMAGE");
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 10;
    if (!image) {
        std::fprintf(stderr, "usage: startup_bench PROGRAM_FOLDER [ROUNDS]\n");
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "tavrix-startup-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    if (!tavrix_test::CopyTree(image, dir)) {
        std::fprintf(stderr, "cannot copy %s\n", image);
        return 1;
    }
    const std::string ini = dir + "\\TavrixVJ.INI";
    for (const char* key : {"NewInstall", "HideWindowsStuff", "ShowSkinOnStart", "Logging"})
        WritePrivateProfileStringA("MAIN", key, "0", ini.c_str());
    WritePrivateProfileStringA("MAIN", "Library", "", ini.c_str());

    std::vector<double> starts, exits, baselines;
    for (int round = 0; round < rounds; ++round) {
        const std::string exe = dir + "\\TavrixVJ.exe";
        std::string cmd = "\"" + exe + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        const double t0 = bench::Now();
        if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
            std::fprintf(stderr, "cannot start %s\n", exe.c_str());
            return 1;
        }
        Find f = {pi.dwProcessId, nullptr};
        while (!f.found && WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT && bench::Now() - t0 < 60)
            EnumWindows(FindMain, reinterpret_cast<LPARAM>(&f));
        const double t1 = bench::Now();
        if (!f.found) {
            std::fprintf(stderr, "round %d: no main window\n", round);
            TerminateProcess(pi.hProcess, 1);
            return 1;
        }
        const double t2 = bench::Now();
        PostMessageA(f.found, WM_COMMAND, 27005, 0);
        WaitForSingleObject(pi.hProcess, 60000);
        const double t3 = bench::Now();
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        baselines.push_back(BaselineStart());
        starts.push_back(t1 - t0);
        exits.push_back(t3 - t2);
        std::printf("round %2d: start %.3f s, exit %.3f s\n", round, t1 - t0, t3 - t2);
    }
    std::printf("an empty process started and ended: median %.3f s (for scale)\n", Median(baselines));
    std::printf("start to main window shown: median %.3f s, best %.3f s (goal under 1 s)\n", Median(starts),
                *std::min_element(starts.begin(), starts.end()));
    std::printf("close command to process end: median %.3f s, best %.3f s (goal under 0.5 s)\n", Median(exits),
                *std::min_element(exits.begin(), exits.end()));
    return 0;
}
