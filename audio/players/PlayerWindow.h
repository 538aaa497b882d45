// The frame the sampler's and the audio jukebox's windows share: a
// modeless dialog of the main window that keeps its place and settings in
// its own section of "TavrixVJ.INI", reads them each time it is shown,
// writes them when it is hidden or closed, and runs its context menus.
#pragma once

#include "framework/ui/AfxWin.h"

class CNewMenu;

class PlayerWindow : public CDialog
{
    DECLARE_DYNAMIC(PlayerWindow)
public:
    PlayerWindow(UINT templateId, const char* section, CWnd* parent);

    // Creates the window, hidden.
    BOOL CreateModeless();

    // The window's settings, read when it is shown, written when it is
    // hidden or closed.
    virtual void LoadSettings() = 0;
    virtual void SaveSettings() = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnShowWindow(BOOL bShow, UINT nStatus); // ON_WM_SHOWWINDOW
    void OnClose();                              // ON_WM_CLOSE

    // Shows the popup and returns the chosen command (0: none).
    virtual UINT RunContextMenu(CNewMenu& popup, POINT at);
    // Puts the window where it stood the last time.
    void MoveToStoredPosition();

    const char* Section() const { return m_section; }
    CWnd* ParentWindow() const { return m_parent; }

private:
    UINT m_templateId;
    const char* m_section;
    CWnd* m_parent;
};
