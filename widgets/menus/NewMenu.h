// The owner-drawn popup menus: CNewMenu converts a loaded menu into
// owner-drawn items, each with a record (CNewMenuItemData), puts a title
// band at the top or down the left side of a popup (CNewMenuItemDataTitle)
// and hands measuring and painting to the current drawing style
// (MenuStyle.h). The popup windows around the items are taken over by
// MenuWindows.h.
//
//   CNewMenuItemData        one record per menu position
//   CNewMenuItemDataTitle   the record of a title band
//   CNewMenu                the menu
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "framework/ui/CGdiObject.h"
#include "framework/ui/CMenu.h"

class CNewMenuIcons;

class CNewMenuItemData : public CObject
{
    DECLARE_DYNAMIC(CNewMenuItemData)
public:
    // Construction
    CNewMenuItemData() = default;
    ~CNewMenuItemData() override;
    CNewMenuItemData(const CNewMenuItemData&) = delete;
    CNewMenuItemData& operator=(const CNewMenuItemData&) = delete;

    // Attributes
    // The caption as shown: an item that opens a sub-menu is cut at its
    // first tab; any other keeps its text (a shortcut after a tab).
    virtual CString GetDisplayText() const;
    virtual void SetText(LPCSTR lpszText);
    BOOL IsSeparator() const { return (m_nFlags & MF_SEPARATOR) != 0; }
    BOOL IsTitle() const { return IsSeparator() && (m_nTitleFlags & 1); }
    // Holds the list (raising its count) and releases the previous one.
    void SetImageList(CNewMenuIcons* pList);

    // Data
    CString m_szMenuText;
    int m_nTitleFlags = 0;
    UINT m_nFlags = 0;
    UINT_PTR m_nID = 0;       // command id, or the sub-menu's handle
    BOOL m_bMatched = FALSE;
    CNewMenuIcons* m_pMenuIcon = nullptr;
    int m_nMenuIconOffset = -1;
};

class CNewMenuItemDataTitle : public CNewMenuItemData
{
    DECLARE_DYNAMIC(CNewMenuItemDataTitle)
public:
    CNewMenuItemDataTitle() = default;
    ~CNewMenuItemDataTitle() override = default;

    COLORREF m_clrTitle = CLR_DEFAULT;  // text
    COLORREF m_clrRight = CLR_DEFAULT;  // second colour of a gradient band
    COLORREF m_clrLeft = CLR_DEFAULT;   // band
    CFont m_TitleFont;
};

class CNewMenu : public CMenu
{
public:
    // Construction
    explicit CNewMenu(HMENU hParent = nullptr);
    ~CNewMenu() override;

    virtual BOOL LoadMenu(UINT nIDResource);
    virtual BOOL LoadMenu(LPCSTR lpszResourceName);
    // Converts the menu tree of the handle (FALSE: not a menu, or this
    // object or another already holds a menu).
    virtual BOOL LoadMenu(HMENU hMenu);
    // Deletes the sub-menus' objects and every record, then the menu.
    virtual BOOL DestroyMenu();

    // The drawing style of every menu of the process: the previous style,
    // -1 (and nothing changed) for a number that is not a style.
    static int SetDrawStyle(UINT nStyle);
    static UINT GetDrawStyle();

    // Attributes
    // The CNewMenu of the sub-menu at the position (null when it has none).
    CNewMenu* GetSubMenu(int nPos) const;
    static CNewMenu* FromHandleNew(HMENU hMenu);
    HMENU GetParentMenu() const { return m_hParentMenu; }
    BOOL IsPopup() const { return m_bIsPopupMenu; }
    int GetRecordCount() const { return static_cast<int>(m_MenuItemList.size()); }
    CNewMenuItemData* GetRecord(int nPos) const;
    int GetSubMenuCount() const { return static_cast<int>(m_SubMenus.size()); }
    CSize GetIconSize() const { return CSize(m_iconX, m_iconY); }
    CNewMenuItemDataTitle* GetTitleItem();
    // The record at the position of the menu's items, checked to be one of
    // this menu's tree (null for anything else).
    CNewMenuItemData* FindRecord(ULONG_PTR itemData) const;

    // Operations
    BOOL SetMenuTitle(LPCSTR lpszTitle, int nTitleFlags, int nTitleImage = -1);
    BOOL SetTitleColors(COLORREF clrText, COLORREF clrSecond, COLORREF clrBand);
    BOOL SetItemText(UINT nItem, LPCSTR lpszText, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    CNewMenu* FindPopupForCommand(UINT_PTR nID, int* pPosition);
    CNewMenuItemData* GetItemDataForCommand(UINT_PTR nID);
    void RebuildItemData();

    // Overridables
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    virtual void PaintTitleBand(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Fills the window's client rectangle with the menu colour.
    virtual void EraseWindow(HWND hWnd, HDC hDC);
    virtual void OnPopupOpened();
    virtual void OnPopupClosed(HWND hPopup);

    // Implementation: the measurers and painters the styles point at.
    void MeasureClassic(LPMEASUREITEMSTRUCT lpMIS, BOOL bMenuBar);
    void MeasureShaded(LPMEASUREITEMSTRUCT lpMIS, BOOL bMenuBar);
    void MeasureFlat(LPMEASUREITEMSTRUCT lpMIS, BOOL bMenuBar);
    void DrawClassic(LPDRAWITEMSTRUCT lpDIS, BOOL bMenuBar);
    void DrawFlat(LPDRAWITEMSTRUCT lpDIS, BOOL bMenuBar);
    void DrawShaded(LPDRAWITEMSTRUCT lpDIS, BOOL bMenuBar);
    void DrawScheme(LPDRAWITEMSTRUCT lpDIS, BOOL bMenuBar);
    void DrawTitle(LPDRAWITEMSTRUCT lpDIS, BOOL bMenuBar);

protected:
    BOOL IsMenuBarItem() const { return !m_bIsPopupMenu && !m_hParentMenu; }
    CNewMenuItemData* AddItemData(int nPos, UINT nFlags, UINT_PTR nID, LPCSTR lpszText);
    int PositionOfRecord(const CNewMenuItemData* pRecord) const;
    void MeasureText(LPMEASUREITEMSTRUCT lpMIS, int variant);
    void DeleteSubMenuObject(HMENU hSub);

    // Data
    std::vector<CNewMenuItemData*> m_MenuItemList;
    std::vector<HMENU> m_SubMenus;
    int m_iconX = 16;
    int m_iconY = 15;
    COLORREF m_bitmapBackground = CLR_DEFAULT;
    HMENU m_hParentMenu = nullptr;
    BOOL m_bIsPopupMenu = TRUE;
};
