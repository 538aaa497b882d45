// Running TavrixVJ.exe from a copy of the program folder (or a given
// folder) with prepared settings, and reading what it left behind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace tavrix_test {

class ProgramRun
{
public:
    // A copy of the program folder in a temporary folder.
    ProgramRun();
    // The program folder as it is (a Windows path), run in place.
    explicit ProgramRun(const std::string& folder);
    ~ProgramRun();

    // The copy of the program folder (TavrixVJ.INI and TXLOG.txt lie there).
    std::string File(const std::string& name) const { return m_folder + "\\" + name; }
    bool Ready() const { return m_ready; }

    // Replaces the copy's settings file.
    bool WriteSettings(const std::string& text);
    // Starts the program (prompts answered by their default, unattended).
    bool Start(const std::string& arguments = "");
    // The program's visible top-level main window (title "TAVRIX PRO DJ",
    // not the first-run notice), or null after timeoutMs.
    HWND WaitForMainWindow(DWORD timeoutMs = 30000);
    // The first-run notice, or null after timeoutMs.
    HWND WaitForNotice(DWORD timeoutMs = 30000);
    // Any visible top-level window of the program, or null after timeoutMs.
    HWND WaitForAnyWindow(DWORD timeoutMs = 30000);
    // Waits for the process to end; its exit code, or -1 when it did not.
    long WaitForExit(DWORD timeoutMs = 30000);
    // The log's lines, without their time stamps.
    std::vector<std::string> LogLines() const;
    std::string Setting(const char* section, const char* key) const;
    DWORD ProcessId() const { return m_pi.dwProcessId; }

private:
    HWND WaitForWindow(int kind, DWORD timeoutMs);

    TempDir m_dir;
    std::string m_folder;
    bool m_ready = false;
    PROCESS_INFORMATION m_pi = {};
    bool m_started = false;
};

// Whether `lines` holds `expected` in this order (other lines between them).
::testing::AssertionResult InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected);

// A settings text for a test run: no notice, no shell hiding, no skin
// browser, the skin named `skin` in Skins\, then `mainExtra` and the log
// on (a key given twice counts the first time), then `extra` (more sections).
std::string TestSettings(const std::string& mainExtra = "", const std::string& extra = "",
                         const std::string& skin = "Default");

} // namespace tavrix_test
