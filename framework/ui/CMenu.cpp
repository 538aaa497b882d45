#include "framework/ui/CMenu.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "framework/ui/CWnd.h"
#include "framework/win/AppState.h"

namespace {

struct MenuMaps
{
    std::mutex lock;
    std::unordered_map<HMENU, CMenu*> permanent;
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> temporary;
};

MenuMaps& Maps()
{
    static MenuMaps maps;
    return maps;
}

thread_local HMENU t_hTrackingMenu = nullptr;

// Depth first (sub-menus before the items after them): the permanent menu
// holding an item with this id and item data.
CMenu* FindMenuForItem(HMENU hMenu, UINT nID, ULONG_PTR itemData)
{
    if (!::IsMenu(hMenu))
        return nullptr;
    CMenu* pMenu = CMenu::FromHandlePermanent(hMenu);
    int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(hMenu, i)) {
            if (CMenu* found = FindMenuForItem(sub, nID, itemData))
                return found;
            continue;
        }
        if (!pMenu)
            continue;
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_DATA | MIIM_ID;
        if (::GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &mii) && mii.wID == nID &&
            mii.dwItemData == itemData)
            return pMenu;
    }
    return nullptr;
}

} // namespace

CMenu* AfxMenuFromHandle(HMENU hMenu)
{
    return CMenu::FromHandle(hMenu);
}

CMenu::~CMenu()
{
    if (!m_bTemporary)
        DestroyMenu();
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return Attach(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    return Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_hMenu)
        return FALSE;
    m_hMenu = hMenu;
    MenuMaps& m = Maps();
    std::lock_guard<std::mutex> guard(m.lock);
    m.permanent[hMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    if (h && !m_bTemporary) {
        MenuMaps& m = Maps();
        std::lock_guard<std::mutex> guard(m.lock);
        auto it = m.permanent.find(h);
        if (it != m.permanent.end() && it->second == this)
            m.permanent.erase(it);
    }
    m_hMenu = nullptr;
    return h;
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    MenuMaps& m = Maps();
    std::lock_guard<std::mutex> guard(m.lock);
    auto it = m.permanent.find(hMenu);
    return it == m.permanent.end() ? nullptr : it->second;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    if (CMenu* p = FromHandlePermanent(hMenu))
        return p;
    MenuMaps& m = Maps();
    std::lock_guard<std::mutex> guard(m.lock);
    std::unique_ptr<CMenu>& slot = m.temporary[hMenu];
    if (!slot) {
        slot.reset(new CMenu);
        slot->m_hMenu = hMenu;
        slot->m_bTemporary = TRUE;
    }
    return slot.get();
}

void CMenu::DeleteTempMap()
{
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> old;
    MenuMaps& m = Maps();
    std::lock_guard<std::mutex> guard(m.lock);
    old.swap(m.temporary);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    rString.Empty();
    if (!m_hMenu)
        return 0;
    int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0)
        return 0;
    char* buffer = rString.GetBuffer(length + 1);
    int got = ::GetMenuStringA(m_hMenu, nIDItem, buffer, length + 1, nFlags);
    rString.ReleaseBuffer(got > 0 ? got : 0);
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    if (!m_hMenu || !pWnd)
        return FALSE;
    SetTrackingMenu(m_hMenu);
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->m_hWnd, lpRect);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

void CMenu::SetTrackingMenu(HMENU hMenu)
{
    t_hTrackingMenu = hMenu;
}

CMenu* CMenu::FindMenuForMeasure(HWND hWnd, const MEASUREITEMSTRUCT* mis)
{
    if (!mis)
        return nullptr;
    HMENU asMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(mis->itemID));
    if (::IsMenu(asMenu))
        return FromHandlePermanent(asMenu);
    HMENU candidates[] = {t_hTrackingMenu, hWnd ? ::GetMenu(hWnd) : nullptr,
                          hWnd ? ::GetSystemMenu(hWnd, FALSE) : nullptr};
    for (HMENU h : candidates) {
        if (CMenu* found = FindMenuForItem(h, mis->itemID, mis->itemData))
            return found;
    }
    return nullptr;
}
