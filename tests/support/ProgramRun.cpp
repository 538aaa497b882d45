#include "tests/support/ProgramRun.h"

namespace tavrix_test {

namespace {

struct FindCtx
{
    DWORD pid;
    int kind;   // 0 the main window, 1 the first-run notice, 2 any window
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hWnd, LPARAM lParam)
{
    FindCtx* ctx = reinterpret_cast<FindCtx*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != ctx->pid || !IsWindowVisible(hWnd) || GetParent(hWnd))
        return TRUE;
    if (ctx->kind == 2) {
        ctx->found = hWnd;
        return FALSE;
    }
    char title[64] = {};
    GetWindowTextA(hWnd, title, sizeof title);
    if (std::string(title) != "TAVRIX PRO DJ")
        return TRUE;
    // The first-run notice has its title line (control 1205).
    const bool isNotice = GetDlgItem(hWnd, 1205) != nullptr;
    if (isNotice == (ctx->kind == 1)) {
        ctx->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

ProgramRun::ProgramRun() : m_folder(m_dir.Path())
{
    m_ready = CopyTree(ImageDir(), m_folder);
}

ProgramRun::ProgramRun(const std::string& folder) : m_folder(folder)
{
    m_ready = GetFileAttributesA(File("TavrixVJ.exe").c_str()) != INVALID_FILE_ATTRIBUTES;
}

ProgramRun::~ProgramRun()
{
    if (!m_started)
        return;
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_pi.hProcess, 99);
        WaitForSingleObject(m_pi.hProcess, 5000);
    }
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
}

bool ProgramRun::WriteSettings(const std::string& text)
{
    return WriteIniFile(File("TavrixVJ.INI"), text);
}

bool ProgramRun::Start(const std::string& arguments)
{
    if (m_started) {   // a second run from the same folder
        CloseHandle(m_pi.hThread);
        CloseHandle(m_pi.hProcess);
        m_started = false;
    }
    const std::string exe = File("TavrixVJ.exe");
    std::string cmd = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> buf(cmd.begin(), cmd.end());
    buf.push_back('\0');
    SetEnvironmentVariableA("TAVRIX_UNATTENDED", "1");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    m_started = CreateProcessA(exe.c_str(), buf.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               m_folder.c_str(), &si, &m_pi) != 0;
    return m_started;
}

HWND ProgramRun::WaitForWindow(int kind, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        FindCtx ctx = {m_pi.dwProcessId, kind, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&ctx));
        if (ctx.found)
            return ctx.found;
        if (WaitForSingleObject(m_pi.hProcess, 20) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

HWND ProgramRun::WaitForMainWindow(DWORD timeoutMs) { return WaitForWindow(0, timeoutMs); }
HWND ProgramRun::WaitForNotice(DWORD timeoutMs) { return WaitForWindow(1, timeoutMs); }
HWND ProgramRun::WaitForAnyWindow(DWORD timeoutMs) { return WaitForWindow(2, timeoutMs); }

long ProgramRun::WaitForExit(DWORD timeoutMs)
{
    if (!m_started || WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_pi.hProcess, &code);
    return static_cast<long>(code);
}

std::vector<std::string> ProgramRun::LogLines() const
{
    std::string text;
    std::vector<std::string> lines;
    if (!ReadFileBytes(File("TXLOG.txt"), text))
        return lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        if (line.size() >= 10 && line[0] == '[' && line[9] == ']')
            line = line.substr(10);
        if (!line.empty())
            lines.push_back(line);
        at = end + 2;
    }
    return lines;
}

std::string ProgramRun::Setting(const char* section, const char* key) const
{
    char value[512] = {};
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, File("TavrixVJ.INI").c_str());
    return value;
}

::testing::AssertionResult InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected)
{
    size_t next = 0;
    for (const std::string& line : lines) {
        if (next < expected.size() && line == expected[next])
            ++next;
    }
    if (next == expected.size())
        return ::testing::AssertionSuccess();
    std::string all;
    for (const std::string& line : lines)
        all += "  " + line + "\n";
    return ::testing::AssertionFailure() << "\"" << expected[next] << "\" missing or out of order in:\n" << all;
}

std::string TestSettings(const std::string& mainExtra, const std::string& extra, const std::string& skin)
{
    return "[MAIN]\r\nNewInstall=0\r\nHideWindowsStuff=0\r\nShowSkinOnStart=0\r\n"
           "SkinFolder=Skins\r\nSkinXML=" + skin + ".xml\r\nSkinBMPPath=" + skin + "\r\nSaveEQGain=1\r\n" +
           mainExtra + "Logging=1\r\n" + extra;
}

} // namespace tavrix_test
