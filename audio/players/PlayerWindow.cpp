#include "audio/players/PlayerWindow.h"

#include "audio/players/PlayerWindowSettings.h"
#include "framework/ui/MessageMap.h"
#include "widgets/menus/NewMenu.h"

IMPLEMENT_DYNAMIC(PlayerWindow, CDialog)

BEGIN_MESSAGE_MAP(PlayerWindow, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

PlayerWindow::PlayerWindow(UINT templateId, const char* section, CWnd* parent)
    : CDialog(templateId, parent)
    , m_templateId(templateId)
    , m_section(section)
    , m_parent(parent)
{
}

BOOL PlayerWindow::CreateModeless()
{
    return Create(m_templateId, m_parent);
}

UINT PlayerWindow::RunContextMenu(CNewMenu& popup, POINT at)
{
    return static_cast<UINT>(
        ::TrackPopupMenu(popup.m_hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr));
}

void PlayerWindow::MoveToStoredPosition()
{
    POINT at = {};
    if (ReadPlayerWindowPos(m_section, at))
        SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void PlayerWindow::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (bShow)
        LoadSettings();
    else
        SaveSettings();
}

void PlayerWindow::OnClose()
{
    SaveSettings();
    Default();
}
