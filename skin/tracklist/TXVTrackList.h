// TXVTrackList: the report list that shows tracks everywhere in the main
// window (main track list, deck and AutoMix queues, history, search and
// request lists). It fills rows from track arrays, keeps the skin's colours
// and font, draws selected rows and an icon view itself in the jukebox
// styles, sorts by column on a header click and tells its owner when a drag
// starts or the main list's selection changes.
#pragma once

#include "framework/core/CArray.h"
#include "framework/ui/AfxWin.h"
#include "skin/tracklist/ListLook.h"
#include "library/records/CTrackRecord.h"
#include "widgets/header/FlatHeaderCtrl.h"

class ListOwner;

class TXVTrackList : public CListCtrl
{
    DECLARE_DYNAMIC(TXVTrackList)
public:
    // Construction
    TXVTrackList();
    ~TXVTrackList() override;

    // Skin set-up
    void SetListType(int type);
    int GetListType() const { return m_nListType; }
    void SetOwnerWindow(CWnd* window) { m_pOwnerWnd = window; }
    void SetOwner(ListOwner* owner) { m_pOwner = owner; }
    void SetOwnerFlag(bool flag) { m_bOwnerFlag = flag; }
    void SetOwnerValue(int value) { m_nOwnerValue = value; }
    int GetOwnerValue() const { return m_nOwnerValue; }
    CRect GetOwnerRect() const { return m_rcOwner; }
    void SetColors(COLORREF background, COLORREF text);
    COLORREF GetBkColor() const { return m_crBack; }
    COLORREF GetTextColor() const { return m_crText; }
    void SetFont(const CString& face, int size);
    void SetFontSize(int size);
    void SetFontFace(const CString& face);
    int GetFontSize() const { return m_nFontSize; }
    CString GetFontFace() const { return m_strFontFace; }
    void SetOwnerHeader(bool flag) { m_bOwnerHeader = flag; }
    BOOL SubclassHeader();
    void SetHeaderColors(COLORREF background, COLORREF text);
    CFlatHeaderCtrl& GetFlatHeader() { return m_header; }
    void SetSkinValue(bool show, const CString& text);
    void EnableSorting(bool flag) { m_bSorting = flag; }
    void SetJukeStyle(bool flag);
    void SetJukeStyle2(bool flag) { m_bJukeStyle2 = flag; }
    void SetJukeStyle3(bool flag) { m_bJukeStyle3 = flag; }
    void SetExplorerTheme(bool flag);
    // The skin's IJ value: 1 jukebox style, 2 with style 2, 3 with style 3,
    // 4 the explorer theme.
    void ApplyIJ(int ij);
    void SetCompactRows(bool flag);
    void SetFullWidthColumn(bool flag);
    void SetSTI(bool flag) { m_bSTI = flag; }
    void SetHB(bool flag) { m_bHB = flag; }
    // mode 1 hides now, mode 2 removes the bars at every size calculation;
    // which: 0 horizontal, 1 vertical, 3 both.
    void HideScrollBars(int mode, int which);
    void ToggleIconView();
    bool IsIconView() const { return m_bIconView; }
    bool IsJukeStyle() const { return m_bJukeStyle; }
    bool IsCompactRows() const { return m_bCompactRows; }
    CImageList& GetSmallImages() { return m_images; }

    // Filling and reading
    void ShowTracks(CArray<CTrackRecord, CTrackRecord&>& tracks);
    int GetSelectedPaths(CStringArray& paths) const;
    int GetSelectedPathList(CStringArray& paths) const { return GetSelectedPaths(paths); }
    bool MoveItem(int from, int to);

    // The sort a header click on that column runs (also for the owner's
    // own sort commands).
    void SortByColumn(int column);

protected:
    DECLARE_MESSAGE_MAP()
    void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);      // reflected LVN_BEGINDRAG
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);    // reflected LVN_ITEMCHANGED
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);     // reflected NM_CUSTOMDRAW
    BOOL OnEraseBkgnd(CDC* pDC);                            // ON_WM_ERASEBKGND
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);     // WM_NCCALCSIZE
    LRESULT OnMouseLeaveMsg(WPARAM wParam, LPARAM lParam);  // WM_MOUSELEAVE
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;   // the header's clicks
    void PreSubclassWindow() override {}

private:
    void BuildSmallImages();
    void CreateFonts();
    LRESULT DrawIconItem(NMLVCUSTOMDRAW* draw);
    LRESULT DrawSelectedCell(NMLVCUSTOMDRAW* draw);

    // Data
    CFlatHeaderCtrl m_header;
    bool m_bOwnerHeader = true;
    CFont m_font;
    CFont m_fontSmall;
    COLORREF m_crBack = RGB(255, 255, 255);
    COLORREF m_crText = RGB(0, 0, 0);
    CString m_strEmptyText;
    bool m_bShowEmptyText = false;
    bool m_bSorting = true;
    CString m_strFontFace;
    int m_nFontSize = 0;
    CString m_strFontFace2;
    int m_nSmallFontSize = 0;
    COLORREF m_crHeaderBack = RGB(0, 0, 0);
    COLORREF m_crHeaderText = RGB(255, 255, 255);
    HICON m_hIconViewIcon = nullptr;
    bool m_bIconView = false;
    bool m_bExplorerTheme = false;
    bool m_bJukeStyle = false;
    bool m_bFullWidth = false;
    bool m_bSTI = false;
    bool m_bHB = false;
    bool m_bCompactRows = false;
    bool m_bJukeStyle2 = false;
    bool m_bJukeStyle3 = false;
    CImageList m_images;
    CBitmap m_bitmap;
    int m_nListType = 0;
    bool m_bOwnerFlag = false;
    int m_nOwnerValue = 0;
    CWnd* m_pOwnerWnd = nullptr;
    ListOwner* m_pOwner = nullptr;
    CRect m_rcOwner;
    ListScrollBarHiding m_hideBars;
};
