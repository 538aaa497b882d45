// CCommView: the modeless "Communications / Requests" window (template
// 228) of the request server: its state, port and address, starting and
// stopping it, a time-stamped log and a line sent to the client. It holds
// no socket: every server action goes through the main window's
// CommServerControl.
#pragma once

#include "foundation/drawing/TXVHeader.h"
#include "framework/ui/AfxWin.h"
#include "input/res/InputResource.h"

class CommServerControl;

class CCommView : public CDialog
{
    DECLARE_DYNAMIC(CCommView)
public:
    enum { IDD = IDD_COMMVIEW };

    // Construction
    explicit CCommView(CWnd* pParent = nullptr);
    // The main window's server operations (not owned); set before Create.
    void SetServerControl(CommServerControl* control) { m_pControl = control; }
    BOOL CreateModeless(CWnd* pParent = nullptr);

    // Attributes
    // The edit that the request socket appends its connection texts to.
    CEdit* GetEventsEdit() { return &m_events; }
    CListCtrl& GetLog() { return m_log; }

    // Operations
    // Inserts (time, message) as the first row of the log.
    void AddLogEntry(const CString& time, const CString& message);

    // Overridables
    BOOL OnInitDialog() override;
    void OnOK() override;           // "Save": stores the port
    void OnCancel() override;       // closing hides the window
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnStartServer();  // ON_BN_CLICKED 1158
    void OnClearLog();     // ON_BN_CLICKED 1163
    void OnPortChanged();  // ON_EN_CHANGE 1159
    void OnSend();         // ON_BN_CLICKED 1165
    void OnSendChanged();  // ON_EN_CHANGE 1164

private:
    void FillFields();
    void ShowServerState(bool running);
    static CString TimeText();

    CommServerControl* m_pControl = nullptr;
    CString m_strPort;
    CString m_strAddress;
    TXVHeader m_header;
    CListCtrl m_log;
    CEdit m_status;
    CEdit m_port;
    CEdit m_address;
    CButton m_start;
    CEdit m_events;
    CButton m_autoStart;
    CButton m_save;
    CButton m_send;
    CEdit m_sendText;
};
