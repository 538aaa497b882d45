#include "framework/ui/CDialog.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "framework/core/Exceptions.h"
#include "framework/ui/CWinApp.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Prompts.h"
#include "framework/win/AppState.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (!pDlg)
        return TRUE;
    // The dialog manager called us: nothing may unwind back into it.
    try {
        return pDlg->HandleInitDialog();
    } catch (const CException& e) {
        AfxReportHandlerException(e.GetErrorMessage());
    } catch (const std::exception& e) {
        AfxReportHandlerException(e.what());
    } catch (...) {
        AfxReportHandlerException(nullptr);
    }
    return TRUE;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd)
{
    m_nIDHelp = nIDTemplate;
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

LPCDLGTEMPLATEA CDialog::LoadTemplate() const
{
    if (m_lpDialogTemplate)
        return m_lpDialogTemplate;
    if (!m_lpszTemplateName)
        return nullptr;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceA(hInst, m_lpszTemplateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    HGLOBAL hGlobal = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    return hGlobal ? static_cast<LPCDLGTEMPLATEA>(::LockResource(hGlobal)) : nullptr;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HWND hParent)
{
    if (!lpTemplate || m_hWnd)
        return FALSE;
    HookCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), lpTemplate, hParent, AfxDlgProc, 0);
    UnhookCreate();
    if (!hWnd)
        return FALSE;
    return m_hWnd == hWnd;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateFromTemplate(LoadTemplate(), m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateFromTemplate(lpDialogTemplate, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATEA lpTemplate = LoadTemplate();
    if (!lpTemplate || m_hWnd)
        return -1;

    // The owner: the given parent, else the main window (when it is not
    // this dialog), always a top-level window.
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hOwner) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain && pMain != this && pMain->m_hWnd && ::IsWindow(pMain->m_hWnd))
            hOwner = pMain->m_hWnd;
    }
    while (hOwner && (::GetWindowLongPtrA(hOwner, GWL_STYLE) & WS_CHILD))
        hOwner = ::GetParent(hOwner);
    bool enableOwner = false;
    if (hOwner && ::IsWindowEnabled(hOwner)) {
        ::EnableWindow(hOwner, FALSE);
        enableOwner = true;
    }

    m_bModal = TRUE;
    m_bInModalLoop = TRUE;
    m_nModalResult = -1;
    if (CreateFromTemplate(lpTemplate, hOwner)) {
        // EndDialog in OnInitDialog ends it before the loop starts.
        if (m_bInModalLoop) {
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
            RunModalLoop();
        }
        if (m_hWnd)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_bInModalLoop = FALSE;
    if (enableOwner) {
        ::EnableWindow(hOwner, TRUE);
        if (m_hWnd && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hOwner);
    }
    if (m_hWnd)
        DestroyWindow();
    m_bModal = FALSE;
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (!m_hWnd)
        return;
    if (m_bModal) {
        EndModalLoop(nResult);
    } else {
        m_nModalResult = nResult;
        ::EndDialog(m_hWnd, nResult);   // hides a modeless dialog
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (!m_hWnd)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CDataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::HandleInitDialog()
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    // Subclasses the template's controls that DDX_Control binds, and fills them.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd || !pMsg)
        return FALSE;
    // Keyboard and mouse input only: the dialog manager's navigation.
    bool key = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
    bool mouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
    if (!key && !mouse)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CDialog::NextDlgCtrl() const
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (m_hWnd && pWndCtrl && pWndCtrl->m_hWnd)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

void CDialog::SetDefID(UINT nID)
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return m_hWnd ? static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)) : 0;
}

// ---- data exchange -----------------------------------------------------------------

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hCtl = m_pDlgWnd && m_pDlgWnd->m_hWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    m_hWndLastControl = hCtl;
    return hCtl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    return PrepareCtrl(nIDC);
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate || !m_hWndLastControl) {
        throw CDataExchangeFailure();
    }
    // Put the user back on the value that did not parse.
    if (m_pDlgWnd && m_pDlgWnd->m_hWnd)
        ::SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndLastControl), TRUE);
    ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    throw CDataExchangeFailure();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (!hCtl || !rControl.SubclassWindow(hCtl))
        pDX->Fail();
}

namespace {

CString ControlText(HWND hCtl)
{
    CString text;
    if (hCtl)
        CWnd(hCtl).GetWindowText(text);
    return text;
}

template <class T>
void TextNumber(CDataExchange* pDX, int nIDC, T& value, const char* format, bool (*parse)(const char*, T&))
{
    HWND hCtl = pDX->PrepareEditCtrl(nIDC);
    if (!hCtl)
        return;
    if (pDX->m_bSaveAndValidate) {
        CString text = ControlText(hCtl);
        text.Trim();
        if (!parse(text, value)) {
            AfxMessageBox("Please enter a number.", MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    } else {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, format, value);
        ::SetWindowTextA(hCtl, buffer);
    }
}

bool ParseInt(const char* s, int& v)
{
    char* end = nullptr;
    long n = std::strtol(s, &end, 10);
    if (!*s || *end)
        return false;
    v = static_cast<int>(n);
    return true;
}

bool ParseUInt(const char* s, UINT& v)
{
    char* end = nullptr;
    if (!*s || *s == '-')
        return false;
    unsigned long n = std::strtoul(s, &end, 10);
    if (*end)
        return false;
    v = static_cast<UINT>(n);
    return true;
}

bool ParseLong(const char* s, long& v)
{
    char* end = nullptr;
    long n = std::strtol(s, &end, 10);
    if (!*s || *end)
        return false;
    v = n;
    return true;
}

bool ParseDouble(const char* s, double& v)
{
    char* end = nullptr;
    double n = std::strtod(s, &end);
    if (!*s || *end)
        return false;
    v = n;
    return true;
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hCtl = pDX->PrepareEditCtrl(nIDC);
    if (!hCtl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hCtl);
    else
        ::SetWindowTextA(hCtl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { TextNumber<int>(pDX, nIDC, value, "%d", ParseInt); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { TextNumber<UINT>(pDX, nIDC, value, "%u", ParseUInt); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { TextNumber<long>(pDX, nIDC, value, "%ld", ParseLong); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { TextNumber<double>(pDX, nIDC, value, "%.15g", ParseDouble); }

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (!hCtl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hCtl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hCtl, BM_SETCHECK, static_cast<WPARAM>(value < 0 || value > 2 ? 0 : value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (!hCtl)
        return;
    // The group runs from this button to the next WS_GROUP.
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    HWND h = hCtl;
    do {
        if (::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessageA(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        h = ::GetWindow(h, GW_HWNDNEXT);
    } while (h && !(::GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (!hCtl)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hCtl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hCtl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (!hCtl)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = ControlText(hCtl);
    } else if (::SendMessageA(hCtl, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR) {
        ::SetWindowTextA(hCtl, value);   // not in the list: the edit part shows it
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (!hCtl)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hCtl, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hCtl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (!hCtl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hCtl, TBM_GETPOS, 0, 0));
    else
        ::SendMessageA(hCtl, TBM_SETPOS, TRUE, value);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString text;
            text.Format("Enter no more than %d characters.", nChars);
            AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    } else if (pDX->m_hWndLastControl) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format("Enter an integer between %d and %d.", minVal, maxVal);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}
