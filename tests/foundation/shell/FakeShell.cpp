#include "tests/foundation/shell/FakeShell.h"

#include <set>

namespace {

std::set<HWND> g_hidden;

LRESULT CALLBACK FakeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SHOWWINDOW && !wParam)
        g_hidden.insert(window);
    if (message == WM_WINDOWPOSCHANGED) {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos->flags & SWP_HIDEWINDOW)
            g_hidden.insert(window);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterFake(const char* name)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FakeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

HWND Child(HWND parent, int id)
{
    return CreateWindowExA(0, "FakeShellChild", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                           nullptr);
}

} // namespace

FakeShell::FakeShell()
{
    RegisterFake("Progman");
    RegisterFake("Shell_TrayWnd");
    RegisterFake("FakeShellChild");
    g_hidden.clear();
    m_desktop = CreateWindowExA(0, "Progman", "Program Manager", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    m_taskbar = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP | WS_VISIBLE, 0, 738, 1024,
                                30, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (m_taskbar) {
        m_start = Child(m_taskbar, 304);
        m_trayOuter = Child(m_taskbar, 303);
        if (m_trayOuter)
            m_tray = Child(m_trayOuter, 303);
    }
}

FakeShell::~FakeShell()
{
    if (m_taskbar)
        DestroyWindow(m_taskbar);
    if (m_desktop)
        DestroyWindow(m_desktop);
}

bool FakeShell::AllVisible() const
{
    return IsWindowVisible(m_desktop) && IsWindowVisible(m_taskbar) && IsWindowVisible(m_start) &&
           IsWindowVisible(m_trayOuter) && IsWindowVisible(m_tray);
}

bool FakeShell::AnyWasHidden() const
{
    return !g_hidden.empty();
}

bool FakeShell::AllWereHidden() const
{
    return g_hidden.count(m_desktop) && g_hidden.count(m_taskbar) && g_hidden.count(m_start) &&
           g_hidden.count(m_tray);
}

bool ShellWindowsExist()
{
    return FindWindowA("Shell_TrayWnd", nullptr) || FindWindowA(nullptr, "Program Manager");
}
