// The one seam for every modal prompt the program can show: message boxes,
// file, folder and colour dialogs. Normally each shows the real dialog. A
// test installs a CPromptAnswerer that answers instead; in an unattended run
// (AfxSetUnattendedPrompts, or TAVRIX_UNATTENDED=1 in the environment) a
// prompt with no answerer takes its default answer without showing, so a
// test run never blocks on one.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>
#include <shellapi.h>

#include "framework/core/CString.h"

class CPromptAnswerer
{
public:
    virtual ~CPromptAnswerer() = default;
    // The button the user pressed (IDOK, IDYES, ...).
    virtual int MessageBox(HWND hOwner, const char* text, const char* caption, UINT type) = 0;
    // Fill ofn.lpstrFile and return TRUE for OK; FALSE for Cancel.
    virtual BOOL FileDialog(OPENFILENAMEA& ofn, BOOL bOpen) { (void)ofn; (void)bOpen; return FALSE; }
    // Set path and return TRUE for OK; FALSE for Cancel. TRUE with an empty
    // path: the user chose an item that has no file-system path (the
    // control panel, a printer).
    virtual BOOL BrowseForFolder(const BROWSEINFOA& bi, CString& path) { (void)bi; (void)path; return FALSE; }
    // Set cc.rgbResult and return TRUE for OK; FALSE for Cancel.
    virtual BOOL ChooseColor(CHOOSECOLORA& cc) { (void)cc; return FALSE; }
    // The shell's confirmation of a file operation (delete, move, ...):
    // IDYES lets it run without a window of its own; anything else aborts it.
    virtual int ConfirmFileOperation(const SHFILEOPSTRUCTA& op) { (void)op; return IDNO; }
    // A shell verb on a path (open, properties): TRUE as if it ran.
    virtual BOOL ShellExecute(SHELLEXECUTEINFOA& sei) { (void)sei; return FALSE; }
};

// The answerer in use (null: the real dialogs); returns the previous one.
CPromptAnswerer* AfxSetPromptAnswerer(CPromptAnswerer* pAnswerer);
// The answerer in use, or null.
CPromptAnswerer* AfxGetPromptAnswerer();
void AfxSetUnattendedPrompts(BOOL bUnattended);
BOOL AfxIsUnattendedPrompts();

// The default button of a message box type (what an unattended run answers).
int AfxMessageBoxDefaultAnswer(UINT nType);

int AfxPromptMessageBox(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);
BOOL AfxPromptFileDialog(OPENFILENAMEA* pOfn, BOOL bOpen);
// The chosen folder's path, or FALSE when cancelled. TRUE with an empty
// path when the chosen item has no file-system path.
BOOL AfxPromptBrowseForFolder(BROWSEINFOA* pBi, CString& path);
BOOL AfxPromptChooseColor(CHOOSECOLORA* pCc);
// SHFileOperation with its confirmations and error boxes behind the seam: an
// answerer confirms (the shell then shows nothing); an unattended run aborts
// an operation that would ask, and runs one that would not without windows.
// An aborted operation returns ERROR_CANCELLED with fAnyOperationsAborted set.
int AfxPromptFileOperation(SHFILEOPSTRUCTA* pOp);
// ShellExecuteEx (open, properties): an answerer answers instead; an
// unattended run starts nothing and returns FALSE.
BOOL AfxPromptShellExecute(SHELLEXECUTEINFOA* pSei);

// A message box owned by the main window, captioned with the application's
// name.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
