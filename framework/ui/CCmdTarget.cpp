#include "framework/ui/CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxEntryEnd, 0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

namespace {

bool EntryMatches(const AFX_MSGMAP_ENTRY& e, UINT kind, UINT message, UINT nCode, UINT nID)
{
    if (e.kind != kind)
        return false;
    switch (kind) {
    case AfxEntryMessage:
        if (e.nMessage == AFX_WM_CTLCOLOR_ANY)
            return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
        return e.nMessage == message;
    case AfxEntryRegistered:
        return e.pnRegistered && *e.pnRegistered != 0 && *e.pnRegistered == message;
    case AfxEntryCommand:
    case AfxEntryNotify:
        return e.nCode == nCode && AFX_ID16(nID) >= e.nID && AFX_ID16(nID) <= e.nLastID;
    case AfxEntryUpdateUI:
        return AFX_ID16(nID) >= e.nID && AFX_ID16(nID) <= e.nLastID;
    case AfxEntryReflectCommand:
    case AfxEntryReflectNotify:
        return e.nCode == nCode;
    case AfxEntryReflectMessage:
        if (e.nMessage == AFX_WM_CTLCOLOR_ANY)
            return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
        return e.nMessage == message;
    default:
        return false;
    }
}

} // namespace

BOOL CCmdTarget::DispatchEntries(UINT kind, UINT message, UINT nCode, UINT nID, AFX_MSGCALL& call)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->kind != AfxEntryEnd; ++e) {
            if (EntryMatches(*e, kind, message, nCode, nID)) {
                call.nID = nID;
                if (e->pfnThunk(this, call))
                    return TRUE;
                // An _EX handler that declined: later entries and bases may take it.
            }
        }
    }
    return FALSE;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->kind != AfxEntryEnd; ++e) {
            if (EntryMatches(*e, AfxEntryMessage, message, 0, 0) ||
                EntryMatches(*e, AfxEntryRegistered, message, 0, 0))
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    AFX_MSGCALL call = {};
    if (nCode == CN_UPDATE_COMMAND_UI) {
        call.pCmdUI = static_cast<CCmdUI*>(pExtra);
        return DispatchEntries(AfxEntryUpdateUI, 0, 0, nID, call);
    }
    if (nCode == CN_NOTIFY) {
        AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(pExtra);
        call.message = WM_NOTIFY;
        call.wParam = nID;
        call.lParam = reinterpret_cast<LPARAM>(notify->pNMHDR);
        BOOL handled = DispatchEntries(AfxEntryNotify, WM_NOTIFY, notify->pNMHDR->code, nID, call);
        if (handled && notify->pResult)
            *notify->pResult = call.result;
        return handled;
    }
    call.message = WM_COMMAND;
    call.wParam = MAKEWPARAM(nID, static_cast<WORD>(nCode));
    return DispatchEntries(AfxEntryCommand, WM_COMMAND, static_cast<UINT>(static_cast<WORD>(nCode)), nID, call);
}

// ---- CCmdUI ----------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn)
{
    if (m_hMenu)
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_hMenu)
        ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_hMenu && bOn)
        ::CheckMenuRadioItem(m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
    else
        SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (!m_hMenu || !lpszText)
        return;
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = const_cast<LPSTR>(lpszText);
    ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &mii);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget)
{
    m_bEnableChanged = FALSE;
    return pTarget && pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this);
}

void CCmdUI::UpdateMenu(CCmdTarget* pTarget, HMENU hMenu)
{
    if (!pTarget || !::IsMenu(hMenu))
        return;
    CCmdUI state;
    state.m_hMenu = hMenu;
    int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        UINT id = ::GetMenuItemID(hMenu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;   // separators and sub-menus
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = id;
        state.DoUpdate(pTarget);
    }
}
