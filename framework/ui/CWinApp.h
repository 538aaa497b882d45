// CWinApp: the application object, and the message pump that every loop of
// the program (the main dialog's modal loop, other modal loops, library
// loops that pump messages) shares.
//
// The program has one CWinApp-derived object, constructed before WinMain;
// the program's WinMain calls AfxWinMain. Its address, and the
// pre-translation that runs through it, are handed to KVLib through the
// shared application state (framework/win/AppState.h), so KVLib's
// AfxGetApp, AfxGetMainWnd and message pumps see the program's objects.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/ui/CCmdTarget.h"

class CWnd;

BOOL AfxPumpMessage();

// The command line's parameters as ParseCommandLine hands them over, one by
// one; a derived class keeps what it needs.
class CCommandLineInfo
{
public:
    // Construction
    CCommandLineInfo() = default;
    virtual ~CCommandLineInfo() = default;

    // Overridables
    // pszParam lacks its leading '/' or '-' when bFlag is TRUE; bLast marks
    // the last parameter.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    // Data
    enum { FileNew, FileOpen, FileNothing = -1 } m_nShellCommand = FileNew;
    CString m_strFileName;   // the first plain parameter
};

class CWinApp : public CCmdTarget
{
public:
    // Construction
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Attributes
    LPCSTR m_pszAppName = nullptr;   // message box captions
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;     // without the program's own name
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    CString m_strRegistryKey;

    // Operations
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;

    // Overridables
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    // A queued message, before it is dispatched: the target window and its
    // parents first, then the main window as the last chance. TRUE stops it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // One message through pre-translation and dispatch; FALSE on WM_QUIT.
    virtual BOOL PumpMessage() { return AfxPumpMessage(); }
    // Idle time between messages; TRUE asks for more.
    virtual BOOL OnIdle(LONG lCount);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    // Implementation
    int m_nExitCode = 0;   // WM_QUIT's code, as Run saw it

private:
    CString m_strAppName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// One message from the queue through pre-translation and dispatch; FALSE
// on WM_QUIT (the message stays readable through AfxGetCurrentQueuedMessage).
BOOL AfxPumpMessage();
const MSG* AfxGetCurrentQueuedMessage();
// Idle processing of a loop (temporary wrappers go here); TRUE asks for more.
BOOL AfxIdle(LONG lCount);
// Messages after which idle processing runs again.
BOOL AfxIsIdleMessage(const MSG* pMsg);
// Deletes the temporary wrappers of windows, DCs, GDI objects and menus.
void AfxDeleteTempMaps();

// The program's start: InitInstance, then Run or, when InitInstance fails
// (as a dialog-based program's does on purpose), ExitInstance.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
