// TXVNavList: an owner-drawn list of navigation entries, each with an icon
// and two text lines (the configuration dialog's pages, the floating list
// window). NavItem is one entry.
//
// Classes: NavItem, TXVNavList.
#pragma once

#include "framework/ui/AfxWin.h"

#include <vector>

struct NavItem
{
    int id = 0;
    CString line1;
    CString line2;
    int image = 0;
    int value = 0;
};

class TXVNavList : public CListCtrl
{
    DECLARE_DYNAMIC(TXVNavList)
public:
    // Construction
    TXVNavList();
    ~TXVNavList() override = default;

    // Operations
    BOOL CreateImageList(int width, int height, UINT bitmapId);
    void SetFonts(int size, const CString& face, int size2, const CString& face2);
    void SetSingleLine(bool flag) { m_bSingleLine = flag; }
    bool IsSingleLine() const { return m_bSingleLine; }
    int InsertNavItem(const NavItem& entry);
    void SelectItem(int row);
    void SetMainWindow(CWnd* window) { m_pMainWnd = window; }
    void SetColor(COLORREF colour) { m_crColour = colour; }

    // Attributes
    int GetNavCount() const { return static_cast<int>(m_items.size()); }
    const NavItem& GetNavItem(int row) const { return m_items[static_cast<size_t>(row)]; }
    int GetFontPoints() const { return m_nFontPoints; }

    // Draws one row into dc (what the custom draw does for each row).
    void DrawNavItem(CDC* dc, int row, bool selected);

protected:
    DECLARE_MESSAGE_MAP()
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);   // reflected NM_CUSTOMDRAW

private:
    CWnd* m_pMainWnd = nullptr;
    std::vector<NavItem> m_items;
    bool m_bSingleLine = false;
    bool m_bFlag1 = true;
    bool m_bFlag2 = true;
    bool m_bFlag3 = false;
    COLORREF m_crColour = RGB(255, 255, 255);
    CFont m_font;
    CFont m_font2;
    CImageList m_images;
    CBitmap m_bitmap;
    int m_nOwner1 = -1;
    int m_nOwner2 = -1;
    int m_nFontPoints = 0;
};
