#include "framework/ui/Prompts.h"

#include <cstdlib>
#include <cstring>

#include "framework/ui/CWinApp.h"
#include "framework/ui/CWnd.h"

namespace {

CPromptAnswerer* g_answerer = nullptr;
int g_unattended = -1;   // -1: not decided yet (the environment decides)

HWND OwnerOrMain(HWND hOwner)
{
    if (hOwner)
        return hOwner;
    CWnd* pMain = AfxGetMainWnd();
    HWND hMain = pMain ? pMain->m_hWnd : nullptr;
    return hMain && ::IsWindowEnabled(hMain) ? hMain : nullptr;
}

} // namespace

CPromptAnswerer* AfxGetPromptAnswerer()
{
    return g_answerer;
}

CPromptAnswerer* AfxSetPromptAnswerer(CPromptAnswerer* pAnswerer)
{
    CPromptAnswerer* old = g_answerer;
    g_answerer = pAnswerer;
    return old;
}

void AfxSetUnattendedPrompts(BOOL bUnattended)
{
    g_unattended = bUnattended ? 1 : 0;
}

BOOL AfxIsUnattendedPrompts()
{
    if (g_unattended < 0) {
        const char* env = std::getenv("TAVRIX_UNATTENDED");
        g_unattended = env && std::strcmp(env, "1") == 0 ? 1 : 0;
    }
    return g_unattended == 1;
}

int AfxMessageBoxDefaultAnswer(UINT nType)
{
    static const int kButtons[][3] = {
        {IDOK, IDOK, IDOK},              // MB_OK
        {IDOK, IDCANCEL, IDCANCEL},      // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},    // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},         // MB_YESNOCANCEL
        {IDYES, IDNO, IDNO},             // MB_YESNO
        {IDRETRY, IDCANCEL, IDCANCEL},   // MB_RETRYCANCEL
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, // MB_CANCELTRYCONTINUE
    };
    UINT kind = nType & MB_TYPEMASK;
    if (kind >= sizeof kButtons / sizeof kButtons[0])
        kind = 0;
    UINT button = (nType & MB_DEFMASK) >> 8;   // 0, 1, 2 (a fourth button is the help button)
    if (button > 2)
        button = 0;
    return kButtons[kind][button];
}

int AfxPromptMessageBox(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (g_answerer)
        return g_answerer->MessageBox(hOwner, lpszText ? lpszText : "", lpszCaption ? lpszCaption : "", nType);
    if (AfxIsUnattendedPrompts())
        return AfxMessageBoxDefaultAnswer(nType);
    return ::MessageBoxA(hOwner, lpszText, lpszCaption, nType);
}

BOOL AfxPromptFileDialog(OPENFILENAMEA* pOfn, BOOL bOpen)
{
    if (!pOfn)
        return FALSE;
    if (g_answerer)
        return g_answerer->FileDialog(*pOfn, bOpen);
    if (AfxIsUnattendedPrompts())
        return FALSE;
    return bOpen ? ::GetOpenFileNameA(pOfn) : ::GetSaveFileNameA(pOfn);
}

BOOL AfxPromptBrowseForFolder(BROWSEINFOA* pBi, CString& path)
{
    path.Empty();
    if (!pBi)
        return FALSE;
    if (g_answerer)
        return g_answerer->BrowseForFolder(*pBi, path);
    if (AfxIsUnattendedPrompts())
        return FALSE;
    PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderA(pBi);
    if (!pidl)
        return FALSE;
    char buffer[MAX_PATH] = {};
    if (::SHGetPathFromIDListA(pidl, buffer))
        path = buffer;
    ::CoTaskMemFree(pidl);
    return TRUE;
}

BOOL AfxPromptChooseColor(CHOOSECOLORA* pCc)
{
    if (!pCc)
        return FALSE;
    if (g_answerer)
        return g_answerer->ChooseColor(*pCc);
    if (AfxIsUnattendedPrompts())
        return FALSE;
    return ::ChooseColorA(pCc);
}

int AfxPromptFileOperation(SHFILEOPSTRUCTA* pOp)
{
    if (!pOp)
        return ERROR_INVALID_PARAMETER;
    pOp->fAnyOperationsAborted = FALSE;
    if (g_answerer || AfxIsUnattendedPrompts()) {
        BOOL asks = (pOp->fFlags & FOF_NOCONFIRMATION) == 0;
        if (asks) {
            int answer = g_answerer ? g_answerer->ConfirmFileOperation(*pOp) : IDNO;
            if (answer != IDYES) {
                pOp->fAnyOperationsAborted = TRUE;
                return ERROR_CANCELLED;
            }
        }
        SHFILEOPSTRUCTA quiet = *pOp;
        quiet.fFlags |= FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_NOCONFIRMMKDIR;
        int result = ::SHFileOperationA(&quiet);
        pOp->fAnyOperationsAborted = quiet.fAnyOperationsAborted;
        return result;
    }
    return ::SHFileOperationA(pOp);
}

BOOL AfxPromptShellExecute(SHELLEXECUTEINFOA* pSei)
{
    if (!pSei)
        return FALSE;
    if (g_answerer)
        return g_answerer->ShellExecute(*pSei);
    if (AfxIsUnattendedPrompts())
        return FALSE;
    return ::ShellExecuteExA(pSei);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    CWinApp* app = AfxGetApp();
    LPCSTR caption = app && app->m_pszAppName ? app->m_pszAppName : "";
    // Without an icon, the type of box chooses one as the system's own do.
    if (!(nType & MB_ICONMASK)) {
        UINT kind = nType & MB_TYPEMASK;
        if (kind == MB_OK || kind == MB_OKCANCEL)
            nType |= MB_ICONEXCLAMATION;
        else if (kind == MB_YESNO || kind == MB_YESNOCANCEL)
            nType |= MB_ICONQUESTION;
        else
            nType |= MB_ICONEXCLAMATION;
    }
    return AfxPromptMessageBox(OwnerOrMain(nullptr), lpszText, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}
