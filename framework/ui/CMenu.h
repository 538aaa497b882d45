// CMenu: a menu handle. Owner-drawn menus derive from it; the windows of the
// program route WM_DRAWITEM and WM_MEASUREITEM of menu items to the
// permanent CMenu of the item's menu (see CWnd::OnDrawItem/OnMeasureItem).
#pragma once

#include <windows.h>

#include "framework/core/CString.h"

class CWnd;

class CMenu
{
public:
    // Construction
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCSTR lpszResourceName);
    BOOL DestroyMenu();
    BOOL Attach(HMENU hMenu);     // permanent: owner-drawn items find this object
    HMENU Detach();

    static CMenu* FromHandle(HMENU hMenu);            // temporary when not permanent
    static CMenu* FromHandlePermanent(HMENU hMenu);
    static void DeleteTempMap();

    // Attributes
    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }
    int GetMenuItemCount() const { return m_hMenu ? ::GetMenuItemCount(m_hMenu) : -1; }
    UINT GetMenuItemID(int nPos) const { return m_hMenu ? ::GetMenuItemID(m_hMenu, nPos) : 0; }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return m_hMenu ? ::GetMenuState(m_hMenu, nID, nFlags) : static_cast<UINT>(-1); }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const { return m_hMenu ? FromHandle(::GetSubMenu(m_hMenu, nPos)) : nullptr; }

    // Operations
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr)
    { return m_hMenu ? ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem) : FALSE; }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr)
    { return m_hMenu ? ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem) : FALSE; }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr)
    { return m_hMenu ? ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem) : FALSE; }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return m_hMenu ? ::RemoveMenu(m_hMenu, nPosition, nFlags) : FALSE; }
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return m_hMenu ? ::DeleteMenu(m_hMenu, nPosition, nFlags) : FALSE; }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
    { return m_hMenu ? ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable) : static_cast<UINT>(-1); }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
    { return m_hMenu ? ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck) : static_cast<UINT>(-1); }
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

    // Overridables (owner-drawn items)
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    // Implementation
    // The popup that a window's WM_INITMENUPOPUP named last.
    static void SetTrackingMenu(HMENU hMenu);
    // The permanent menu that holds a menu item being measured for hWnd:
    // the item as a menu itself, else the tracked popup, the menu bar and
    // the system menu, each searched for the item's id and item data.
    static CMenu* FindMenuForMeasure(HWND hWnd, const MEASUREITEMSTRUCT* lpMeasureItemStruct);

private:
    BOOL m_bTemporary = FALSE;
};
