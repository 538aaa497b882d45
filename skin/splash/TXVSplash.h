// TXVSplash: the small modeless window that tells what the program is
// doing while it starts and while it shuts down (template 106): the
// program's picture with one status line over it, right-aligned. The line
// takes text once the window is initialised and shows 10 ms later,
// transparent over the picture. Fades in when shown and out when hidden.
#pragma once

#include "framework/ui/CDialog.h"
#include "framework/ui/CStatic.h"
#include "framework/ui/MessageMap.h"
#include "skin/fields/TXVTextField.h"
#include "skin/splash/TXVSplashIds.h"

class TXVSplash : public CDialog
{
    DECLARE_DYNAMIC(TXVSplash)
public:
    // Construction
    explicit TXVSplash(CWnd* pParent = nullptr);
    // Creates the window (not yet shown) above `parent`.
    BOOL CreateSplash(CWnd* parent);

    // Attributes
    TXVTextField& GetStatusLine() { return m_status; }
    CString GetStatus() const { return m_status.GetText(); }

    // Operations
    // Shows it centred on the screen, without taking the focus.
    void ShowSplash();
    // Writes the status line and paints it at once.
    void SetStatus(const char* text);
    // Fades the window out over `milliseconds` and destroys it.
    void FadeOut(DWORD milliseconds);

    // Overridables
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}

protected:
    DECLARE_MESSAGE_MAP()
    int OnCreate(LPCREATESTRUCT lpCreateStruct);   // ON_WM_CREATE
    void OnTimer(UINT_PTR nIDEvent);               // ON_WM_TIMER
    void OnShowWindow(BOOL bShow, UINT nStatus);   // ON_WM_SHOWWINDOW

private:
    TXVTextField m_status;
    CStatic m_picture;
    bool m_bAnimating = false;
};
