#include "tests/support/TestSupport.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tavrix_test {

namespace {

void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

std::string EnvOrEmpty(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

} // namespace

TempDir::TempDir()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static LONG counter = 0;
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%stavrix-%lu-%ld", base,
                      GetCurrentProcessId(), InterlockedIncrement(&counter));
        if (CreateDirectoryA(name, nullptr)) {
            m_path = name;
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error(std::string("cannot create temp folder ") + name);
    }
}

TempDir::~TempDir()
{
    RemoveTree(m_path);
}

std::string ImageDir()
{
    std::string dir = EnvOrEmpty("TAVRIX_IMAGE");
    if (dir.empty()) {
        // Beside the test folder, as the build lays it out.
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string p = exe;
        p = p.substr(0, p.find_last_of("\\/"));
        dir = p.substr(0, p.find_last_of("\\/")) + "\\TavrixVJ";
    }
    return dir;
}

std::string TestDataPath(const std::string& relative)
{
    std::string dir = EnvOrEmpty("TAVRIX_TESTDATA");
    if (dir.empty())
        return std::string();
    DWORD attr = GetFileAttributesA(dir.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY))
        return std::string();
    return dir + "/" + relative;
}

bool WriteIniFile(const std::string& path, const std::string& text)
{
    const bool ok = WriteFileBytes(path, text);
    // All three names null: the documented flush of the profile cache.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    return ok;
}

std::string MediaPath(const std::string& name)
{
    return EnvOrEmpty("TAVRIX_MEDIA") + "\\" + name;
}

bool CopyFileTo(const std::string& from, const std::string& to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

namespace {

struct OwnWindowSearch
{
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchOwnWindow(HWND hwnd, LPARAM param)
{
    OwnWindowSearch* search = reinterpret_cast<OwnWindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != GetCurrentProcessId())
        return TRUE;
    char text[256] = {0};
    if (search->className) {
        GetClassNameA(hwnd, text, sizeof text);
        if (lstrcmpiA(text, search->className) != 0)
            return TRUE;
    }
    if (search->title) {
        GetWindowTextA(hwnd, text, sizeof text);
        if (lstrcmpA(text, search->title) != 0)
            return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

} // namespace

HWND FindOwnWindow(const char* className, const char* title)
{
    OwnWindowSearch search = {className, title, nullptr};
    EnumWindows(&MatchOwnWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool CopyTree(const std::string& from, const std::string& to)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((from + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string source = from + "\\" + name, target = to + "\\" + name;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = (CreateDirectoryA(target.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) &&
                 CopyTree(source, target) && ok;
        else
            ok = CopyFileTo(source, target) && ok;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return ok;
}

bool PumpUntil(const std::function<bool()>& done, unsigned long timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        const DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs)
            return false;
        // A condition set by another thread posts no message here: look
        // again at least every few milliseconds.
        const DWORD slice = timeoutMs - spent < 10 ? timeoutMs - spent : 10;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT);
    }
}

// The watched lists and their watches (one thread's windows).
static std::vector<std::pair<HWND, InsertWatch*>> g_watches;

static UINT RunWatchMessage()
{
    static const UINT msg = RegisterWindowMessageA("TavrixTest.InsertWatch");
    return msg;
}

struct InsertWatch::Hook
{
    static InsertWatch* Find(HWND hWnd)
    {
        for (auto& w : g_watches)
            if (w.first == hWnd)
                return w.second;
        return nullptr;
    }

    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        InsertWatch* watch = Find(hWnd);
        if (!watch)
            return DefWindowProcA(hWnd, message, wParam, lParam);
        const WNDPROC old = reinterpret_cast<WNDPROC>(watch->m_old);
        if (message == RunWatchMessage()) {
            if (!watch->m_ran) {
                watch->m_ran = true;
                watch->m_action();
            }
            return 0;
        }
        if ((message == LVM_INSERTITEMA || message == LVM_INSERTITEMW) && lParam && !watch->m_posted
            && reinterpret_cast<const LVITEMA*>(lParam)->iItem == watch->m_row) {
            watch->m_posted = true;
            PostMessageA(hWnd, RunWatchMessage(), 0, 0);
        }
        if (message == WM_NCDESTROY) {
            watch->m_gone = true;
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            for (auto it = g_watches.begin(); it != g_watches.end(); ++it)
                if (it->first == hWnd) {
                    g_watches.erase(it);
                    break;
                }
        }
        return CallWindowProcA(old, hWnd, message, wParam, lParam);
    }
};

InsertWatch::InsertWatch(HWND list, int row, std::function<void()> action)
    : m_list(list), m_row(row), m_action(std::move(action))
{
    g_watches.emplace_back(list, this);
    m_old = reinterpret_cast<void*>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&InsertWatch::Hook::Proc)));
}

InsertWatch::~InsertWatch()
{
    if (m_gone)
        return;
    if (IsWindow(m_list))
        SetWindowLongPtrA(m_list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_old));
    for (auto it = g_watches.begin(); it != g_watches.end(); ++it)
        if (it->second == this) {
            g_watches.erase(it);
            break;
        }
}

} // namespace tavrix_test
