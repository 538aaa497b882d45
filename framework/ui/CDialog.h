// CDialog: a dialog from a template (a resource of AfxGetResourceHandle()
// or a template in memory), modal through DoModal with its own message loop
// or modeless through Create.
#pragma once

#include <windows.h>

#include "framework/ui/CWnd.h"

class CDataExchange;

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    // Construction
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Modal from a template in memory
    BOOL InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Attributes
    UINT m_nIDHelp = 0;
    LPCSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATEA m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;

    // Operations
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    BOOL IsModal() const { return m_bModal; }

    // Overridables
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Implementation
    BOOL HandleInitDialog();

protected:
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HWND hParent);
    LPCDLGTEMPLATEA LoadTemplate() const;

    BOOL m_bModal = FALSE;
};

// The dialog procedure of every CDialog: WM_INITDIALOG runs OnInitDialog;
// everything else reaches the dialog through its window procedure.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
