// CCmdTarget: the base of everything that has a message map; it finds the
// handler for a command, a notification or a command update.
#pragma once

#include <windows.h>

#include "framework/core/CObject.h"
#include "framework/ui/MessageMap.h"

// Notification codes that OnCmdMsg takes besides a control's own.
constexpr int CN_COMMAND = 0;               // a command (menu, accelerator, button id)
constexpr int CN_UPDATE_COMMAND_UI = -1;    // pExtra is the CCmdUI
constexpr int CN_NOTIFY = -2;               // pExtra is the AFX_NOTIFY below

struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Construction
    CCmdTarget() = default;
    ~CCmdTarget() override = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Overridables
    // Routes a command (nCode = CN_COMMAND or a control's notification code
    // in the low word), a command update or a notification to this map.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra);

    // Implementation
    // Runs the first entry of this map (derived first) that matches;
    // returns TRUE when an entry handled it.
    BOOL DispatchEntries(UINT kind, UINT message, UINT nCode, UINT nID, AFX_MSGCALL& call);
    // The entry that a window message would run, or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// The state of one command's user interface (a menu item) as update
// handlers see it.
class CCmdUI
{
public:
    // Attributes
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    HMENU m_hMenu = nullptr;
    BOOL m_bEnableChanged = FALSE;

    // Operations
    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);

    // Runs the target's update handler for m_nID; TRUE when one ran.
    BOOL DoUpdate(CCmdTarget* pTarget);
    // Updates every command item of a popup menu through the target's map.
    static void UpdateMenu(CCmdTarget* pTarget, HMENU hMenu);
};
