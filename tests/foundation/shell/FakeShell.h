// Windows of the shell's classes made by a test: a desktop titled "Program
// Manager" and a taskbar of class "Shell_TrayWnd" with its Start button
// (child 304) and its tray (child 303 inside child 303). Each remembers
// whether it was ever hidden.
#pragma once

#include <windows.h>

class FakeShell
{
public:
    FakeShell();
    ~FakeShell();
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;

    bool Made() const { return m_desktop && m_taskbar && m_start && m_trayOuter && m_tray; }
    // Every window shown (children as far as their own style goes).
    bool AllVisible() const;
    bool AnyWasHidden() const;
    bool AllWereHidden() const;

    HWND m_desktop = nullptr;
    HWND m_taskbar = nullptr;
    HWND m_start = nullptr;
    HWND m_trayOuter = nullptr;
    HWND m_tray = nullptr;
};

// Whether a window of this class or title exists anywhere on the desktop
// (another program's, such as a real shell's).
bool ShellWindowsExist();
