// TavrixVJ's entry point: the application object runs the main window as a
// modal dialog until the skinned main dialog takes its place.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/ui/AfxWin.h"
#include "library/api/VIZU.h"

namespace {

const char kMainTitle[] = "TavrixVJ";

// The main window's template, built in memory: a captioned top-level dialog
// without controls, the main dialog's size.
std::vector<WORD> MainTemplate()
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_CENTER;
    t->cx = 528;
    t->cy = 321;
    words.push_back(0);   // no menu
    words.push_back(0);   // the dialog class
    for (const char* p = kMainTitle;; ++p) {
        words.push_back(static_cast<WORD>(static_cast<unsigned char>(*p)));
        if (!*p)
            break;
    }
    return words;
}

class MainApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        ::InitCommonControls();
        CWinApp::InitInstance();

        std::vector<WORD> words = MainTemplate();
        CDialog mainDialog;
        mainDialog.InitModalIndirect(reinterpret_cast<LPCDLGTEMPLATEA>(words.data()));
        m_pMainWnd = &mainDialog;
        mainDialog.DoModal();
        m_pMainWnd = nullptr;
        // Dialog-based: no message loop of the application's own.
        return FALSE;
    }
};

MainApp theApp;

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd)
{
    // KVLib is bound through the import table; touching it here proves the
    // library answered before any window exists.
    if (VIZU::IsOpen())
        return 1;
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nShowCmd);
}
