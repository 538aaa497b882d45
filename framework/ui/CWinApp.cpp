#include "framework/ui/CWinApp.h"

#include <string>
#include <vector>

#include "framework/ui/CDC.h"
#include "framework/ui/CGdiObject.h"
#include "framework/ui/CImageList.h"
#include "framework/ui/CMenu.h"
#include "framework/ui/CWnd.h"
#include "framework/win/AppState.h"

// This module's own application state (framework/win/AppState.cpp).
extern "C" AFX_APP_STATE* TavrixFrameworkAppState();

namespace {

thread_local MSG t_msgCur = {};
thread_local MSG t_lastIdleMsg = {};

BOOL AppPreTranslate(MSG* pMsg)
{
    CWinApp* app = AfxGetApp();
    return app ? app->PreTranslateMessage(pMsg) : FALSE;
}

// Splits a command line as the C runtime does: blanks separate, double
// quotes group, backslashes escape a quote only when they precede one.
std::vector<std::string> SplitCommandLine(const char* p)
{
    std::vector<std::string> args;
    if (!p)
        return args;
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string arg;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            int slashes = 0;
            while (*p == '\\') {
                ++slashes;
                ++p;
            }
            if (*p == '"') {
                arg.append(static_cast<std::size_t>(slashes / 2), '\\');
                if (slashes % 2) {
                    arg += '"';
                } else if (quoted && p[1] == '"') {
                    arg += '"';
                    ++p;
                } else {
                    quoted = !quoted;
                }
                ++p;
            } else {
                arg.append(static_cast<std::size_t>(slashes), '\\');
                if (*p && (quoted || (*p != ' ' && *p != '\t')))
                    arg += *p++;
            }
        }
        args.push_back(arg);
    }
    return args;
}

} // namespace

// ---- CCommandLineInfo ---------------------------------------------------------

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL)
{
    if (!bFlag && m_strFileName.IsEmpty() && pszParam) {
        m_strFileName = pszParam;
        m_nShellCommand = FileOpen;
    }
}

// ---- CWinApp --------------------------------------------------------------------

CWinApp::CWinApp(LPCSTR lpszAppName)
{
    if (lpszAppName) {
        m_strAppName = lpszAppName;
    } else {
        // The program's file name without its extension.
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(AfxGetModuleHandle(), path, MAX_PATH);
        CString name(path);
        int slash = name.ReverseFind('\\');
        if (slash >= 0)
            name = name.Mid(slash + 1);
        int dot = name.ReverseFind('.');
        if (dot > 0)
            name = name.Left(dot);
        m_strAppName = name;
    }
    m_pszAppName = m_strAppName;
    m_hInstance = AfxGetModuleHandle();

    // Each object registers in its own module's state. The program's is the
    // state every module sees; a library's object stays in the library's and
    // never becomes, nor displaces, the program's (a library is loaded, and
    // builds its object, before the program builds its own).
    AFX_APP_STATE* state = TavrixFrameworkAppState();
    state->m_pApp = this;
    state->m_pfnPreTranslate = &AppPreTranslate;
}

CWinApp::~CWinApp()
{
    AFX_APP_STATE* state = TavrixFrameworkAppState();
    if (state->m_pApp == this) {
        state->m_pApp = nullptr;
        state->m_pfnPreTranslate = nullptr;
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    std::vector<std::string> args = SplitCommandLine(m_lpCmdLine);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const char* param = args[i].c_str();
        BOOL flag = FALSE;
        if (param[0] == '/' || param[0] == '-') {
            flag = TRUE;
            ++param;
        }
        rCmdInfo.ParseParam(param, flag, i + 1 == args.size());
    }
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const
{
    return ::LoadIconA(nullptr, lpszIconName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const
{
    return ::LoadCursorA(nullptr, lpszCursorName);
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return m_nExitCode;
}

int CWinApp::Run()
{
    LONG idleCount = 0;
    bool idle = true;
    MSG msg;
    for (;;) {
        while (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!AfxIdle(idleCount++))
                idle = false;
        }
        do {
            if (!AfxPumpMessage()) {
                m_nExitCode = static_cast<int>(AfxGetCurrentQueuedMessage()->wParam);
                return ExitInstance();
            }
            if (AfxIsIdleMessage(AfxGetCurrentQueuedMessage())) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = m_pMainWnd;
    HWND hMain = pMainWnd ? pMainWnd->m_hWnd : nullptr;
    bool reachedMain = false;
    if (pMsg->hwnd && AfxWalkPreTranslateTree(pMsg, hMain, &reachedMain))
        return TRUE;
    // The main window's last chance at messages of windows outside it.
    if (hMain && !reachedMain)
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0)
        return TRUE;
    AfxDeleteTempMaps();
    return FALSE;
}

// ---- globals ----------------------------------------------------------------------

CWinApp* AfxGetApp()
{
    return AfxGetAppState()->m_pApp;
}

CWnd* AfxGetMainWnd()
{
    AFX_APP_STATE* state = AfxGetAppState();
    if (state->m_pApp)
        return state->m_pApp->GetMainWnd();
    return state->m_pMainWnd;
}

const MSG* AfxGetCurrentQueuedMessage()
{
    return &t_msgCur;
}

BOOL AfxPumpMessage()
{
    MSG& msg = t_msgCur;
    if (::GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        if (msg.message != WM_QUIT) {
            msg.message = WM_QUIT;   // GetMessage failed: end the loop as WM_QUIT does
            msg.wParam = 0;
        }
        return FALSE;
    }
    // The program's pre-translation when it has one; else this module's windows.
    BOOL handled = AfxGetAppState()->m_pfnPreTranslate ? AfxPreTranslateMessage(&msg)
                                                       : AfxWalkPreTranslateTree(&msg, nullptr);
    if (!handled) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL AfxIdle(LONG lCount)
{
    CWinApp* app = AfxGetApp();
    BOOL more = app ? app->OnIdle(lCount) : FALSE;
    // The temporary wrappers of this module (a library's loop keeps its own).
    if (lCount >= 1 || !app)
        AfxDeleteTempMaps();
    return more;
}

BOOL AfxIsIdleMessage(const MSG* pMsg)
{
    // Mouse moves that do not move, and the caret's blinking, do not count.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        bool same = t_lastIdleMsg.message == pMsg->message && t_lastIdleMsg.pt.x == pMsg->pt.x &&
                    t_lastIdleMsg.pt.y == pMsg->pt.y;
        t_lastIdleMsg = *pMsg;
        return !same;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 /* WM_SYSTIMER */;
}

void AfxDeleteTempMaps()
{
    if (AfxInWindowProc())
        return;   // a handler further out may still hold a wrapper
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
