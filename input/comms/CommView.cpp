// Windows Sockets before windows.h (the address of this computer).
#include <winsock2.h>

#include "input/comms/CommView.h"

#include "foundation/app/MessageTexts.h"
#include "framework/win/CTime.h"
#include "input/server/RequestServer.h"

IMPLEMENT_DYNAMIC(CCommView, CDialog)

BEGIN_MESSAGE_MAP(CCommView, CDialog)
    ON_BN_CLICKED(IDC_COMM_START, OnStartServer)
    ON_BN_CLICKED(IDC_COMM_CLEARLOG, OnClearLog)
    ON_EN_CHANGE(IDC_COMM_PORT, OnPortChanged)
    ON_BN_CLICKED(IDC_COMM_SEND, OnSend)
    ON_EN_CHANGE(IDC_COMM_SENDTEXT, OnSendChanged)
END_MESSAGE_MAP()

namespace {
const char kCaption[] = "Communications / Requests";
const int kTimeColumnWidth = 70;
} // namespace

CCommView::CCommView(CWnd* pParent) : CDialog(IDD_COMMVIEW, pParent)
{
}

BOOL CCommView::CreateModeless(CWnd* pParent)
{
    return Create(IDD_COMMVIEW, pParent);
}

void CCommView::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COMM_HEADER, m_header);
    DDX_Control(pDX, IDC_COMM_LOG, m_log);
    DDX_Control(pDX, IDC_COMM_STATUS, m_status);
    DDX_Control(pDX, IDC_COMM_PORT, m_port);
    DDX_Control(pDX, IDC_COMM_ADDRESS, m_address);
    DDX_Control(pDX, IDC_COMM_START, m_start);
    DDX_Control(pDX, IDC_COMM_EVENTS, m_events);
    DDX_Control(pDX, IDC_COMM_AUTOSTART, m_autoStart);
    DDX_Control(pDX, IDOK, m_save);
    DDX_Control(pDX, IDC_COMM_SEND, m_send);
    DDX_Control(pDX, IDC_COMM_SENDTEXT, m_sendText);
}

CString CCommView::TimeText()
{
    return CTime::GetCurrentTime().Format("%H:%M:%S");
}

BOOL CCommView::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_header.SetCaption(kCaption);
    m_header.Invalidate();

    while (m_log.DeleteColumn(0)) {
    }
    CRect client;
    m_log.GetClientRect(&client);
    m_log.InsertColumn(0, "TimeStamp", LVCFMT_LEFT, kTimeColumnWidth);
    m_log.InsertColumn(1, "Message", LVCFMT_LEFT, client.Width() - kTimeColumnWidth);
    m_log.SetExtendedStyle(m_log.GetExtendedStyle() | LVS_EX_FULLROWSELECT);

    m_status.SetWindowText("Idle...");
    FillFields();
    m_send.EnableWindow(FALSE);
    ShowServerState(m_pControl && m_pControl->IsCommServerRunning());
    return TRUE;
}

void CCommView::FillFields()
{
    char address[256] = {};
    m_strAddress = CSocketComm::GetLocalAddressText(address, sizeof(address)) ? address : "";
    m_address.SetWindowText(m_strAddress);
    m_strPort = m_pControl ? m_pControl->GetCommPortText() : CString();
    m_port.SetWindowText(m_strPort);
    m_save.EnableWindow(FALSE);
}

void CCommView::AddLogEntry(const CString& time, const CString& message)
{
    if (!m_log.GetSafeHwnd())
        return;
    const int row = m_log.InsertItem(0, time);
    if (row >= 0)
        m_log.SetItemText(row, 1, message);
}

void CCommView::OnStartServer()
{
    const CString time = TimeText();
    if (!m_pControl)
        return;
    const bool running = m_pControl->IsCommServerRunning();
    const bool done = running ? m_pControl->StopCommServer() : m_pControl->StartCommServer();
    if (!done) {
        ShowMessage(running ? "Unable to stop comm server." : "Unable to start comm server.");
        return;
    }
    ShowServerState(!running);
    AddLogEntry(time, running ? "Server stopped..." : "Server started...");
}

void CCommView::ShowServerState(bool running)
{
    m_status.SetWindowText(running ? "Server running..." : "Server stopped...");
    m_start.SetWindowText(running ? "Stop Server" : "Start Server");
}

void CCommView::OnClearLog()
{
    m_log.DeleteAllItems();
    m_log.Invalidate();
}

void CCommView::OnPortChanged()
{
    m_save.EnableWindow(TRUE);
}

void CCommView::OnOK()
{
    m_port.GetWindowText(m_strPort);
    if (m_pControl)
        m_pControl->SetCommPortText(m_strPort);
    m_save.EnableWindow(FALSE);
}

void CCommView::OnCancel()
{
    ShowWindow(SW_HIDE);
}

void CCommView::OnSend()
{
    CString text;
    m_sendText.GetWindowText(text);
    if (text.IsEmpty())
        return;
    if (m_pControl)
        m_pControl->SendCommMessage(text);
    m_sendText.SetWindowText("");
    m_send.EnableWindow(FALSE);
}

void CCommView::OnSendChanged()
{
    m_send.EnableWindow(TRUE);
}
