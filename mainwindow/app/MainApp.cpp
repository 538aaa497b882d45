// Windows Sockets before any header that brings in windows.h.
#include <winsock2.h>

#include "mainwindow/app/MainApp.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>
#include <gdiplus.h>

#include "foundation/shell/ShellWindows.h"
#include "framework/ui/Prompts.h"
#include "library/api/VIZU.h"
#include "mainwindow/app/NewInstall.h"
#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/dialog/StartupSeams.h"
#include "mainwindow/parts/ProgramParts.h"
#include "mainwindow/res/MainWindowIds.h"
#include "mainwindow/settings/MainSettings.h"
#include "mainwindow/settings/SettingsFile.h"
#include "skin/dialogs/TXVMsg.h"

MainApp::MainApp() : CWinApp(nullptr) {}

// The framework's socket support: Windows Sockets 1.1 for the sockets of
// the request server, beside the 2.0 start of step 4.
bool MainApp::StartSockets()
{
    WSADATA data;
    return ::WSAStartup(MAKEWORD(1, 1), &data) == 0;
}

BOOL MainApp::InitInstance()
{
    // 1.
    ::InitCommonControls();
    CWinApp::InitInstance();
    // The program's notices show in its own message dialog.
    InstallSkinMessageDialog();

    // 2. Socket support.
    if (!StartSockets()) {
        CString text;
        text.LoadString(IDS_SOCKETS_FAILED);
        AfxPromptMessageBox(nullptr, text, "TAVRIX PRO DJ", MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    // 3. OLE and the rich edit control (results not checked).
    ::OleInitialize(nullptr);
    ::LoadLibraryA("riched20.dll");

    // 4. Windows Sockets 2.0.
    WSADATA wsaData;
    if (::WSAStartup(MAKEWORD(2, 0), &wsaData) != 0) {
        if (LOBYTE(wsaData.wVersion) != 2 || HIBYTE(wsaData.wVersion) != 0)
            AfxPromptMessageBox(nullptr, "Incorrect version of WS2_32.dll found", "TAVRIX COMM ERROR", MB_OK);
        ::WSACleanup();
        ::WSACleanup();   // and the socket support of step 2
        return FALSE;
    }

    // 5. to 7.
    SetRegistryKey("VurizuZadOD");
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    // 8. and 9. The start-up keys, read from the file (no main window yet).
    const SettingsFile ini(VIZU::GetLibDLLPath());
    StartupSettings start;
    start.Load(ini);
    if (start.NewInstall == 1) {
        NewInstall notice(nullptr);
        notice.DoModal();
    }
    bool hidShell = false;
    if (start.HideWindowsStuff == 1) {
        HideShellWindows();   // restored on every way out, a crash included
        hidShell = true;
    }

    // 10. GDI+.
    Gdiplus::GdiplusStartupInput input;
    m_bGdiplusStarted = Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) == Gdiplus::Ok;

    {
        // 12. The main dialog (its constructor loads settings, vocabulary and skin).
        MainDialog dialog(nullptr);
        // 7. and 11. The menus' draw style and the skin browser come later.
        RunStartupSeam(dialog, StartupSeam::MenuDrawStyle);
        if (start.ShowSkinOnStart == 1)
            RunStartupSeam(dialog, StartupSeam::SkinBrowser);

        // 13. and 14. The command line: only the switch p acts.
        ParseCommandLine(m_cmdInfo);
        CString playlist;
        if (m_cmdInfo.GetOption("p", playlist))
            dialog.SetCommandLinePlaylist(playlist);

        // 15. Run it, when it has a skin to show.
        if (dialog.HasSkin()) {
            ProgramParts parts(dialog);
            dialog.SetParts(&parts);
            m_pMainWnd = &dialog;
            dialog.DoModal();
            m_pMainWnd = nullptr;
            dialog.SetParts(nullptr);
        }

        // 16. to 18.
        ::CoUninitialize();
        if (hidShell)
            RestoreShellWindows();
        ::WSACleanup();
        ::WSACleanup();
        // 19. The dialog is destroyed here.
    }
    ::OleUninitialize();
    return FALSE;
}

int MainApp::ExitInstance()
{
    if (m_bGdiplusStarted) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_bGdiplusStarted = false;
    }
    return CWinApp::ExitInstance();
}
