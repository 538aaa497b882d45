// TXVTreeCtrl: the skin's tree (library tree, My Computer tree, jukebox
// tree) with the program's 16 x 17 icons. Any click selects the item under
// the mouse first, so a right click selects before the owner's context
// menu; a drag start goes to the owner.
#pragma once

#include "framework/ui/AfxWin.h"

class ListOwner;

class TXVTreeCtrl : public CTreeCtrl
{
    DECLARE_DYNAMIC(TXVTreeCtrl)
public:
    // The selected item's colours, focused or not.
    static const COLORREF kSelectedBack = RGB(0, 70, 213);
    static const COLORREF kSelectedText = RGB(255, 255, 255);

    // Construction
    TXVTreeCtrl() = default;
    ~TXVTreeCtrl() override = default;

    // Operations
    void LoadImageList();
    void SetExplorerTheme(bool flag);
    bool IsExplorerTheme() const { return m_bExplorerTheme; }
    void SetOwner(ListOwner* owner) { m_pOwner = owner; }
    CImageList& GetImages() { return m_images; }

    // Selects the item at the client point as the caret item (what a click
    // does); the item, or null when there is none.
    HTREEITEM SelectItemAt(CPoint client);

protected:
    DECLARE_MESSAGE_MAP()
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult);       // reflected NM_CLICK, NM_RCLICK
    void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);   // reflected TVN_BEGINDRAG
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);  // reflected NM_CUSTOMDRAW

private:
    CImageList m_images;
    CBitmap m_bitmap;
    bool m_bExplorerTheme = false;
    ListOwner* m_pOwner = nullptr;
};
