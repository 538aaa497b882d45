#include "widgets/menus/NewMenu.h"

#include <algorithm>

#include "framework/win/AppState.h"
#include "widgets/menus/MenuMath.h"
#include "widgets/menus/MenuStyle.h"
#include "widgets/menus/MenuWindows.h"
#include "widgets/menus/NewMenuIcons.h"

IMPLEMENT_DYNAMIC(CNewMenuItemData, CObject)
IMPLEMENT_DYNAMIC(CNewMenuItemDataTitle, CNewMenuItemData)

// ---- item data ---------------------------------------------------------------------

CNewMenuItemData::~CNewMenuItemData()
{
    SetImageList(nullptr);
}

CString CNewMenuItemData::GetDisplayText() const
{
    if (m_nFlags & MF_POPUP) {
        int tab = m_szMenuText.Find('\t');
        if (tab >= 0)
            return m_szMenuText.Left(tab);
    }
    return m_szMenuText;
}

void CNewMenuItemData::SetText(LPCSTR lpszText)
{
    m_szMenuText = lpszText ? lpszText : "";
}

void CNewMenuItemData::SetImageList(CNewMenuIcons* pList)
{
    if (pList)
        pList->AddRef();
    CNewMenuIcons* old = m_pMenuIcon;
    m_pMenuIcon = pList;
    ReleaseImageList(old);
}

// ---- the menu ----------------------------------------------------------------------

CNewMenu::CNewMenu(HMENU hParent)
    : m_hParentMenu(hParent)
{
    MenuLibrary(); // the state (and its hook) exists before any menu
}

CNewMenu::~CNewMenu()
{
    DestroyMenu();
}

CNewMenu* CNewMenu::FromHandleNew(HMENU hMenu)
{
    return dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(hMenu));
}

CNewMenu* CNewMenu::GetSubMenu(int nPos) const
{
    return m_hMenu ? FromHandleNew(::GetSubMenu(m_hMenu, nPos)) : nullptr;
}

CNewMenuItemData* CNewMenu::GetRecord(int nPos) const
{
    if (nPos < 0 || nPos >= GetRecordCount())
        return nullptr;
    return m_MenuItemList[static_cast<size_t>(nPos)];
}

int CNewMenu::PositionOfRecord(const CNewMenuItemData* pRecord) const
{
    auto it = std::find(m_MenuItemList.begin(), m_MenuItemList.end(), pRecord);
    return it == m_MenuItemList.end() ? -1 : static_cast<int>(it - m_MenuItemList.begin());
}

CNewMenuItemData* CNewMenu::FindRecord(ULONG_PTR itemData) const
{
    if (!itemData)
        return nullptr;
    for (CNewMenuItemData* p : m_MenuItemList)
        if (reinterpret_cast<ULONG_PTR>(p) == itemData)
            return p;
    for (HMENU h : m_SubMenus)
        if (CNewMenu* sub = FromHandleNew(h))
            if (CNewMenuItemData* p = sub->FindRecord(itemData))
                return p;
    return nullptr;
}

BOOL CNewMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CNewMenu::LoadMenu(LPCSTR lpszResourceName)
{
    if (m_hMenu)
        return FALSE; // converted once: a second load would leak the first tree
    HMENU h = ::LoadMenuA(AfxGetResourceHandle(), lpszResourceName);
    if (!h)
        return FALSE;
    if (!LoadMenu(h)) {
        ::DestroyMenu(h);
        return FALSE;
    }
    return TRUE;
}

BOOL CNewMenu::LoadMenu(HMENU hMenu)
{
    // A handle another object already holds is not taken a second time:
    // both would free its records and the menu.
    if (!::IsMenu(hMenu) || m_hMenu || CMenu::FromHandlePermanent(hMenu))
        return FALSE;
    if (!Attach(hMenu))
        return FALSE;
    m_bIsPopupMenu = FALSE;
    for (int i = 0; i < ::GetMenuItemCount(m_hMenu); ++i) {
        HMENU hSub = ::GetSubMenu(m_hMenu, i);
        if (!hSub || CMenu::FromHandlePermanent(hSub))
            continue;
        CNewMenu* pSub = new CNewMenu(m_hMenu);
        m_SubMenus.push_back(hSub);
        if (!pSub->LoadMenu(hSub)) {
            m_SubMenus.pop_back();
            delete pSub;
            continue;
        }
        pSub->m_bIsPopupMenu = TRUE;
    }
    RebuildItemData();
    return TRUE;
}

void CNewMenu::DeleteSubMenuObject(HMENU hSub)
{
    delete FromHandleNew(hSub);
}

BOOL CNewMenu::DestroyMenu()
{
    for (auto it = m_SubMenus.rbegin(); it != m_SubMenus.rend(); ++it)
        DeleteSubMenuObject(*it);
    m_SubMenus.clear();
    for (auto it = m_MenuItemList.rbegin(); it != m_MenuItemList.rend(); ++it)
        delete *it;
    m_MenuItemList.clear();
    if (!m_hMenu)
        return FALSE;
    // A sub-menu still held by its parent goes with the parent's menu;
    // destroying it here would leave the parent a dead handle.
    if (m_hParentMenu && ::IsMenu(m_hParentMenu)) {
        int count = ::GetMenuItemCount(m_hParentMenu);
        for (int i = 0; i < count; ++i) {
            if (::GetSubMenu(m_hParentMenu, i) == m_hMenu) {
                Detach();
                return TRUE;
            }
        }
    }
    return CMenu::DestroyMenu();
}

int CNewMenu::SetDrawStyle(UINT nStyle)
{
    MenuLibrarySetup& lib = MenuLibrary();
    MenuStyle* pStyle = lib.FindStyle(menu_math::StyleUnderLoader(nStyle, lib.IsWine() != FALSE));
    if (!pStyle)
        return -1;
    MenuStyle* previous = lib.CurrentStyle();
    lib.SetCurrentStyle(pStyle);
    return previous ? previous->GetStyle() : -1;
}

UINT CNewMenu::GetDrawStyle()
{
    MenuStyle* p = MenuLibrary().CurrentStyle();
    return p ? static_cast<UINT>(p->GetStyle()) : 0;
}

CNewMenuItemData* CNewMenu::AddItemData(int nPos, UINT nFlags, UINT_PTR nID, LPCSTR lpszText)
{
    CNewMenuItemData* p = new CNewMenuItemData;
    p->m_nFlags = nFlags;
    p->m_nID = nID;
    if (!(nFlags & MF_BITMAP))
        p->SetText(lpszText);
    if (nFlags & MF_POPUP)
        if (CNewMenu* sub = FromHandleNew(reinterpret_cast<HMENU>(nID)))
            sub->m_hParentMenu = m_hMenu;
    ::ModifyMenuA(m_hMenu, static_cast<UINT>(nPos), nFlags, nID, reinterpret_cast<LPCSTR>(p));
    return p;
}

void CNewMenu::RebuildItemData()
{
    if (!m_hMenu)
        return;
    for (CNewMenuItemData* p : m_MenuItemList)
        p->m_bMatched = FALSE;
    std::vector<CNewMenuItemData*> fresh;
    auto takeUnmatched = [this](UINT_PTR id) -> CNewMenuItemData* {
        for (CNewMenuItemData* p : m_MenuItemList)
            if (!p->m_bMatched && p->m_nID == id) {
                p->m_bMatched = TRUE;
                return p;
            }
        return nullptr;
    };
    for (int i = 0;; ++i) {
        char text[512] = {};
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE | MIIM_SUBMENU;
        mii.dwTypeData = text;
        mii.cch = sizeof text;
        if (!::GetMenuItemInfoA(m_hMenu, static_cast<UINT>(i), TRUE, &mii))
            break;
        UINT state = ::GetMenuState(m_hMenu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state == static_cast<UINT>(-1))
            break;
        UINT flags = 0;
        if (!(state & MFT_RIGHTORDER))
            flags |= mii.fType & (MFT_RIGHTJUSTIFY | ((mii.fType & MFT_BITMAP) ? 0 : MFT_RIGHTORDER));
        CString caption;
        GetMenuString(static_cast<UINT>(i), caption, MF_BYPOSITION);
        CNewMenuItemData* p = nullptr;
        if (mii.fType & MFT_BITMAP) {
            p = takeUnmatched(mii.wID);
            if (!p) {
                p = new CNewMenuItemData;
                p->m_nFlags = flags | state;
                p->m_nID = mii.wID;
                p->m_bMatched = TRUE;
            }
        } else if (mii.hSubMenu) {
            UINT_PTR id = reinterpret_cast<UINT_PTR>(mii.hSubMenu);
            p = takeUnmatched(id);
            if (p) {
                if (!caption.IsEmpty())
                    p->SetText(caption);
            } else {
                UINT f = flags | (state & ~(MF_SEPARATOR | MF_USECHECKBITMAPS) & 0xFF) | MF_BYPOSITION |
                         MF_OWNERDRAW | MF_POPUP;
                p = AddItemData(i, f, id, caption);
                p->m_bMatched = TRUE;
            }
            if (CNewMenu* sub = FromHandleNew(mii.hSubMenu))
                sub->m_hParentMenu = m_hMenu;
        } else if (mii.fType & MFT_SEPARATOR) {
            UINT f = flags | (state & 0xFFFF) | MF_BYPOSITION | MF_OWNERDRAW;
            p = takeUnmatched(0);
            if (p) {
                p->m_nFlags = f;
                ::ModifyMenuA(m_hMenu, static_cast<UINT>(i), f, 0, reinterpret_cast<LPCSTR>(p));
            } else {
                p = AddItemData(i, f, 0, "");
                p->m_bMatched = TRUE;
            }
        } else {
            UINT f = flags | (state & 0xFFFF) | MF_BYPOSITION | MF_OWNERDRAW;
            p = takeUnmatched(mii.wID);
            if (p) {
                p->m_nFlags = f;
                if (!caption.IsEmpty())
                    p->SetText(caption);
                ::ModifyMenuA(m_hMenu, static_cast<UINT>(i), f, mii.wID, reinterpret_cast<LPCSTR>(p));
            } else {
                p = AddItemData(i, f, mii.wID, caption);
                p->m_bMatched = TRUE;
            }
        }
        fresh.push_back(p);
    }
    for (CNewMenuItemData* p : m_MenuItemList)
        if (!p->m_bMatched)
            delete p;
    m_MenuItemList.swap(fresh);
}

CNewMenuItemDataTitle* CNewMenu::GetTitleItem()
{
    if (!m_hMenu)
        return nullptr;
    if (GetRecordCount() != ::GetMenuItemCount(m_hMenu))
        RebuildItemData();
    return m_MenuItemList.empty() ? nullptr : dynamic_cast<CNewMenuItemDataTitle*>(m_MenuItemList[0]);
}

BOOL CNewMenu::SetMenuTitle(LPCSTR lpszTitle, int nTitleFlags, int nTitleImage)
{
    int index = -1;
    CNewMenuBitmaps* pList = FindTitleImage(nTitleImage, m_bitmapBackground, &index);
    if (pList)
        pList->AddRef(); // the call's own hold
    struct Hold
    {
        CNewMenuBitmaps* list;
        ~Hold() { ReleaseImageList(list); }
    } hold{pList};

    if (!::IsMenu(m_hMenu))
        return FALSE;
    if (GetRecordCount() != ::GetMenuItemCount(m_hMenu))
        RebuildItemData();
    if (m_MenuItemList.empty() || !m_MenuItemList[0]->IsSeparator()) {
        CNewMenuItemDataTitle* pTitle = new CNewMenuItemDataTitle;
        pTitle->m_nFlags = MF_BYPOSITION | MF_OWNERDRAW | MF_SEPARATOR;
        pTitle->SetText(lpszTitle);
        m_MenuItemList.insert(m_MenuItemList.begin(), pTitle);
        ::InsertMenuA(m_hMenu, 0, MF_SEPARATOR | MF_BYPOSITION, 0, lpszTitle);
        ::ModifyMenuA(m_hMenu, 0, MF_SEPARATOR | MF_BYPOSITION | MF_OWNERDRAW, 0,
                      reinterpret_cast<LPCSTR>(pTitle));
    }
    CNewMenuItemData* pRecord = m_MenuItemList[0];
    if (!pRecord->IsSeparator())
        return FALSE;
    pRecord->SetImageList(pList);
    pRecord->m_nMenuIconOffset = (pList && index >= 0) ? index : -1;
    pRecord->SetText(lpszTitle);
    pRecord->m_nTitleFlags = nTitleFlags | menu_math::kTitleMark;
    if (m_MenuItemList.size() < 2)
        return FALSE;
    CNewMenuItemData* pFirst = m_MenuItemList[1];
    UINT flags = pFirst->m_nFlags;
    if (nTitleFlags & menu_math::kTitleVertical)
        flags |= MF_MENUBREAK;
    else
        flags &= ~static_cast<UINT>(MF_MENUBREAK);
    if (flags != pFirst->m_nFlags) {
        pFirst->m_nFlags = flags;
        ::ModifyMenuA(m_hMenu, 1, flags | MF_BYPOSITION, pFirst->m_nID, reinterpret_cast<LPCSTR>(pFirst));
    }
    return TRUE;
}

BOOL CNewMenu::SetTitleColors(COLORREF clrText, COLORREF clrSecond, COLORREF clrBand)
{
    CNewMenuItemDataTitle* pTitle = GetTitleItem();
    if (!pTitle)
        return FALSE;
    pTitle->m_clrTitle = clrText;
    pTitle->m_clrRight = clrSecond;
    pTitle->m_clrLeft = clrBand;
    return TRUE;
}

CNewMenu* CNewMenu::FindPopupForCommand(UINT_PTR nID, int* pPosition)
{
    if (pPosition)
        *pPosition = -1;
    if (!m_hMenu)
        return nullptr;
    int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count; ++i) {
        if (HMENU hSub = ::GetSubMenu(m_hMenu, i)) {
            if (CNewMenu* sub = FromHandleNew(hSub))
                if (CNewMenu* found = sub->FindPopupForCommand(nID, pPosition))
                    return found;
            continue;
        }
        if (::GetMenuItemID(m_hMenu, i) == nID) {
            if (pPosition)
                *pPosition = i;
            return this;
        }
    }
    return nullptr;
}

CNewMenuItemData* CNewMenu::GetItemDataForCommand(UINT_PTR nID)
{
    for (CNewMenuItemData* p : m_MenuItemList)
        if (p->m_nID == nID)
            return p;
    int pos = -1;
    CNewMenu* popup = FindPopupForCommand(nID, &pos);
    if (popup && popup != this)
        return popup->GetItemDataForCommand(nID);
    return nullptr;
}

BOOL CNewMenu::SetItemText(UINT nItem, LPCSTR lpszText, UINT nFlags)
{
    if (!(nFlags & MF_BYPOSITION)) {
        int pos = -1;
        CNewMenu* popup = FindPopupForCommand(nItem, &pos);
        if (!popup || pos < 0)
            return FALSE;
        return popup->SetItemText(static_cast<UINT>(pos), lpszText, MF_BYPOSITION);
    }
    CNewMenuItemData* p = GetRecord(static_cast<int>(nItem));
    if (!p || !m_hMenu)
        return FALSE;
    UINT state = ::GetMenuState(m_hMenu, nItem, MF_BYPOSITION);
    p->SetText(lpszText);
    UINT plain = (state & ~static_cast<UINT>(MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP)) | MF_BYPOSITION;
    if (p->m_nFlags & MF_POPUP)
        plain = (plain & 0xFF) | MF_POPUP | MF_BYPOSITION;
    if (!::ModifyMenuA(m_hMenu, nItem, plain, p->m_nID, p->m_szMenuText))
        return FALSE;
    UINT owner = MF_BYPOSITION | MF_OWNERDRAW | (p->m_nFlags & MF_POPUP);
    return ::ModifyMenuA(m_hMenu, nItem, owner, p->m_nID, reinterpret_cast<LPCSTR>(p));
}

BOOL CNewMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    if (!m_hMenu)
        return FALSE;
    if (!(nFlags & MF_BYPOSITION)) {
        int pos = -1;
        if (CNewMenu* popup = FindPopupForCommand(nPosition, &pos))
            return popup->DeleteMenu(static_cast<UINT>(pos), MF_BYPOSITION);
        return CMenu::DeleteMenu(nPosition, nFlags);
    }
    HMENU hSub = ::GetSubMenu(m_hMenu, static_cast<int>(nPosition));
    UINT state = ::GetMenuState(m_hMenu, nPosition, MF_BYPOSITION);
    auto eraseRecord = [this](std::vector<CNewMenuItemData*>::iterator it) {
        delete *it;
        m_MenuItemList.erase(it);
    };
    if (hSub) {
        UINT_PTR id = reinterpret_cast<UINT_PTR>(hSub);
        bool held = std::find(m_SubMenus.begin(), m_SubMenus.end(), hSub) != m_SubMenus.end();
        m_SubMenus.erase(std::remove(m_SubMenus.begin(), m_SubMenus.end(), hSub), m_SubMenus.end());
        for (auto it = m_MenuItemList.end(); it != m_MenuItemList.begin();) {
            --it;
            if ((*it)->m_nID == id) {
                eraseRecord(it);
                break;
            }
        }
        if (held)
            DeleteSubMenuObject(hSub); // still in this menu: the object lets go, DeleteMenu frees it
    } else if (state != static_cast<UINT>(-1) && !(state & MF_SEPARATOR)) {
        UINT id = ::GetMenuItemID(m_hMenu, static_cast<int>(nPosition));
        for (auto it = m_MenuItemList.begin(); it != m_MenuItemList.end();) {
            if ((*it)->m_nID == id) {
                delete *it;
                it = m_MenuItemList.erase(it);
            } else {
                ++it;
            }
        }
    } else if (nPosition < m_MenuItemList.size()) {
        eraseRecord(m_MenuItemList.begin() + nPosition);
    }
    return CMenu::DeleteMenu(nPosition, nFlags);
}

// ---- measuring and drawing ------------------------------------------------------------

void CNewMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS || lpDIS->CtlType != ODT_MENU)
        return;
    CNewMenuItemData* p = FindRecord(lpDIS->itemData);
    MenuStyle* style = MenuLibrary().CurrentStyle();
    if (!p || !style)
        return; // an item without a record of this menu is not ours to paint
    if (p->IsTitle()) {
        PaintTitleBand(lpDIS);
        return;
    }
    (this->*style->GetPainter())(lpDIS, IsMenuBarItem());
}

void CNewMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (!lpMIS || lpMIS->CtlType != ODT_MENU)
        return;
    if (!GetItemDataForCommand(lpMIS->itemID) && !FindRecord(lpMIS->itemData)) {
        if (CNewMenu* parent = FromHandleNew(m_hParentMenu)) {
            parent->MeasureItem(lpMIS);
            return;
        }
    }
    MenuStyle* style = MenuLibrary().CurrentStyle();
    if (style)
        (this->*style->GetMeasurer())(lpMIS, IsMenuBarItem());
}

void CNewMenu::PaintTitleBand(LPDRAWITEMSTRUCT lpDIS)
{
    MenuStyle* style = MenuLibrary().CurrentStyle();
    if (style)
        (this->*style->GetTitlePainter())(lpDIS, FALSE);
}

void CNewMenu::EraseWindow(HWND hWnd, HDC hDC)
{
    RECT rc;
    if (!::GetClientRect(hWnd, &rc))
        return;
    int index = (MenuLibrary().OsClass() == 7 && MenuFlatMenusOn()) ? COLOR_MENUBAR : COLOR_MENU;
    ::FillRect(hDC, &rc, ::GetSysColorBrush(index));
}

void CNewMenu::OnPopupOpened()
{
    m_bIsPopupMenu = TRUE;
    RebuildItemData();
}

void CNewMenu::OnPopupClosed(HWND)
{
    // Only menu bars hold the system commands this renumbers on the newest
    // systems; popups keep theirs.
    if (!m_hMenu || MenuLibrary().OsClass() != 7 || m_bIsPopupMenu)
        return;
    static const struct { UINT from, to; } renumber[] = {{0xF021, 0xF020}, {0xF121, 0xF120}, {0xF061, 0xF060}};
    for (const auto& r : renumber) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID;
        mii.wID = r.to;
        ::SetMenuItemInfoA(m_hMenu, r.from, FALSE, &mii);
    }
}
