#include "foundation/shell/ShellWindows.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <exception>

namespace {

const char kDesktopTitle[] = "Program Manager";
const char kTaskbarClass[] = "Shell_TrayWnd";
const int kStartButtonId = 304;
const int kTrayId = 303;

HWND FindTaskbar()
{
    return FindWindowA(kTaskbarClass, nullptr);
}

HWND FindStartButton()
{
    HWND taskbar = FindTaskbar();
    return taskbar ? GetDlgItem(taskbar, kStartButtonId) : nullptr;
}

HWND FindTray()
{
    HWND taskbar = FindTaskbar();
    HWND outer = taskbar ? GetDlgItem(taskbar, kTrayId) : nullptr;
    return outer ? GetDlgItem(outer, kTrayId) : nullptr;
}

BOOL ShowAndPaint(HWND window, BOOL show)
{
    if (!window)
        return FALSE;
    ShowWindow(window, show ? SW_SHOWNORMAL : SW_HIDE);
    UpdateWindow(window);
    return TRUE;
}

// Which windows HideShellWindows hid (bits), and whether the restoring at
// the end is armed.
enum { HID_DESKTOP = 1, HID_TASKBAR = 2, HID_START = 4, HID_TRAY = 8 };
std::atomic<unsigned> g_hidden{0};
std::atomic<bool> g_armed{false};
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
std::terminate_handler g_previousTerminate = nullptr;

LONG WINAPI RestoreOnCrash(EXCEPTION_POINTERS* info)
{
    RestoreShellWindows();
    return g_previousFilter ? g_previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

void RestoreOnTerminate()
{
    RestoreShellWindows();
    if (g_previousTerminate)
        g_previousTerminate();
    std::abort();
}

void RestoreOnAbort(int)
{
    RestoreShellWindows();
}

void RestoreAtExit()
{
    RestoreShellWindows();
}

void ArmRestore()
{
    if (g_armed.exchange(true))
        return;
    std::atexit(RestoreAtExit);
    g_previousFilter = SetUnhandledExceptionFilter(RestoreOnCrash);
    g_previousTerminate = std::set_terminate(RestoreOnTerminate);
    std::signal(SIGABRT, RestoreOnAbort);
}

void HideOne(HWND window, unsigned bit, BOOL (*show)(BOOL))
{
    if (window && IsWindowVisible(window)) {
        g_hidden |= bit;
        show(FALSE);
    }
}

BOOL ShowDesktop(BOOL show)
{
    ShowDesktopWindow(show);
    return TRUE;
}

} // namespace

void ShowDesktopWindow(BOOL show)
{
    HWND desktop = FindWindowA(nullptr, kDesktopTitle);
    if (!desktop)
        return;
    SetWindowPos(desktop, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

BOOL ShowTaskbar(BOOL show)
{
    return ShowAndPaint(FindTaskbar(), show);
}

BOOL ShowTaskbarChild304(BOOL show)
{
    return ShowAndPaint(FindStartButton(), show);
}

BOOL ShowTaskbarChild303(BOOL show)
{
    return ShowAndPaint(FindTray(), show);
}

void HideShellWindows()
{
    ArmRestore();
    // Children first: hiding the taskbar first would make them all read as
    // not visible.
    HideOne(FindTray(), HID_TRAY, ShowTaskbarChild303);
    HideOne(FindStartButton(), HID_START, ShowTaskbarChild304);
    HideOne(FindTaskbar(), HID_TASKBAR, ShowTaskbar);
    HideOne(FindWindowA(nullptr, kDesktopTitle), HID_DESKTOP, ShowDesktop);
}

void RestoreShellWindows()
{
    const unsigned hidden = g_hidden.exchange(0);
    if (hidden & HID_DESKTOP)
        ShowDesktopWindow(TRUE);
    if (hidden & HID_TASKBAR)
        ShowTaskbar(TRUE);
    if (hidden & HID_START)
        ShowTaskbarChild304(TRUE);
    if (hidden & HID_TRAY)
        ShowTaskbarChild303(TRUE);
}
