#include "skin/tracklist/TXVTrackList.h"

#include "foundation/app/ProgramFolder.h"
#include "foundation/drawing/DrawingHelpers.h"
#include "foundation/drawing/MemDC.h"
#include "framework/win/CWaitCursor.h"
#include "library/api/VIZU.h"
#include "skin/res/SkinListIds.h"
#include "skin/tracklist/ListOwner.h"
#include "skin/tracklist/ListLook.h"
#include "skin/tracklist/TrackListRules.h"

#include <uxtheme.h>

#include <cstdlib>
#include <vector>

using namespace tracklist_rules;

IMPLEMENT_DYNAMIC(TXVTrackList, CListCtrl)

namespace {

// The one place the in-place sorts keep their parameter: one sort at a time.
KV_SORT_INFO g_sortInfo;

const COLORREF kMaskGreen = RGB(0, 255, 0);

// The main list's in-place sort. The list view's rows are not in a steady
// state while it sorts, so a comparison that reads cells during the sort
// (by row index) sees rows half moved and orders them wrongly. The texts of
// the column are copied first, each row's item data stands for its copy
// during the sort, and the comparison is the one of CompareListRows:
// columns 9 and 10 as whole numbers, the others with lstrcmpA, ascending.
struct RowKey
{
    CString text;
    int number = 0;
    DWORD_PTR data = 0;
};

struct RowKeys
{
    std::vector<RowKey> keys;
    bool numeric = false;
};

int CALLBACK CompareRowKeys(LPARAM a, LPARAM b, LPARAM context)
{
    const RowKeys* keys = reinterpret_cast<const RowKeys*>(context);
    const size_t count = keys->keys.size();
    if (static_cast<size_t>(a) >= count || static_cast<size_t>(b) >= count)
        return 0;
    const RowKey& first = keys->keys[static_cast<size_t>(a)];
    const RowKey& second = keys->keys[static_cast<size_t>(b)];
    if (keys->numeric)
        return first.number < second.number ? -1 : (first.number > second.number ? 1 : 0);
    return lstrcmpA(first.text, second.text);
}

void SortRowsOnTexts(CListCtrl& list, int column)
{
    RowKeys keys;
    keys.numeric = column == COL_INDEX || column == COL_PLAYCOUNT;
    const int count = list.GetItemCount();
    keys.keys.resize(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        RowKey& key = keys.keys[static_cast<size_t>(row)];
        key.text = list.GetItemText(row, column);
        key.number = atoi(key.text);
        key.data = list.GetItemData(row);
        list.SetItemData(row, static_cast<DWORD_PTR>(row));
    }
    list.SortItems(&CompareRowKeys, reinterpret_cast<DWORD_PTR>(&keys));
    for (int row = 0; row < count; ++row) {
        const size_t key = static_cast<size_t>(list.GetItemData(row));
        if (key < keys.keys.size())
            list.SetItemData(row, keys.keys[key].data);
    }
}

// An image list from a bitmap resource of the program.
void LoadImageStrip(CImageList& images, CBitmap& bitmap, UINT resource, int cx, int cy,
                    COLORREF mask)
{
    images.DeleteImageList();
    bitmap.DeleteObject();
    images.Create(cx, cy, ILC_COLOR32 | ILC_MASK, 1, 20);
    if (bitmap.LoadBitmap(resource))
        images.Add(&bitmap, mask);
}

} // namespace

BEGIN_MESSAGE_MAP(TXVTrackList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, &TXVTrackList::OnBeginDrag)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_NCCALCSIZE, &TXVTrackList::OnNcCalcSize)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &TXVTrackList::OnCustomDraw)
    ON_MESSAGE(WM_MOUSELEAVE, &TXVTrackList::OnMouseLeaveMsg)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, &TXVTrackList::OnItemChanged)
END_MESSAGE_MAP()

TXVTrackList::TXVTrackList()
{
    m_pOwnerWnd = AfxGetMainWnd();
    BuildSmallImages();
}

TXVTrackList::~TXVTrackList()
{
    if (m_hIconViewIcon)
        ::DestroyIcon(m_hIconViewIcon);
}

// ---- Skin set-up ------------------------------------------------------------

void TXVTrackList::BuildSmallImages()
{
    // The list shares the image list (it stays ours), so a rebuild never
    // leaves the list holding a destroyed one.
    if (m_hWnd) {
        ModifyStyle(0, LVS_SHAREIMAGELISTS);
        CListCtrl::SetImageList(nullptr, LVSIL_SMALL);
    }
    if (m_bCompactRows)
        LoadImageStrip(m_images, m_bitmap, IDB_LIST_COMPACTROWS, 1, 2, kMaskGreen);
    else
        LoadImageStrip(m_images, m_bitmap, IDB_LIST_TRACKICONS, 16, 17, kMaskGreen);
    if (m_hWnd)
        CListCtrl::SetImageList(&m_images, LVSIL_SMALL);
}

void TXVTrackList::SetListType(int type)
{
    m_nListType = type;
    BuildSmallImages();
    if (m_hWnd)
        GetClientRect(&m_rcOwner);
}

void TXVTrackList::SetColors(COLORREF background, COLORREF text)
{
    m_crBack = background;
    m_crText = text;
    ApplyListColours(*this, background, text);
}

void TXVTrackList::CreateFonts()
{
    MakeListFonts(*this, m_font, m_fontSmall, m_strFontFace, m_nFontSize);
}

void TXVTrackList::SetFont(const CString& face, int size)
{
    m_strFontFace = face;
    m_strFontFace2 = face;
    m_nFontSize = size;
    m_nSmallFontSize = size - 20;
    CreateFonts();
}

void TXVTrackList::SetFontSize(int size)
{
    m_nFontSize = size;
    m_nSmallFontSize = size - 20;
    CreateFonts();
    Invalidate();
}

void TXVTrackList::SetFontFace(const CString& face)
{
    m_strFontFace = face;
    m_strFontFace2 = face;
    CreateFonts();
    Invalidate();
}

BOOL TXVTrackList::SubclassHeader()
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (!header || m_header.GetSafeHwnd())
        return FALSE;
    return m_header.SubclassWindow(header->GetSafeHwnd());
}

void TXVTrackList::SetHeaderColors(COLORREF background, COLORREF text)
{
    m_crHeaderBack = background;
    m_crHeaderText = text;
    m_header.SetColours(background, text);
}

void TXVTrackList::SetSkinValue(bool show, const CString& text)
{
    m_bShowEmptyText = show;
    m_strEmptyText = text;
}

void TXVTrackList::SetJukeStyle(bool flag)
{
    m_bJukeStyle = flag;
    SetCompactRows(true);
}

void TXVTrackList::SetExplorerTheme(bool flag)
{
    m_bExplorerTheme = flag;
    if (m_hWnd)
        ::SetWindowTheme(m_hWnd, L"explorer", nullptr);
}

void TXVTrackList::ApplyIJ(int ij)
{
    const JukeStyles styles = JukeStylesFromIJ(ij);
    if (styles.juke)
        SetJukeStyle(true);
    if (styles.style2)
        SetJukeStyle2(true);
    if (styles.style3)
        SetJukeStyle3(true);
    if (styles.explorer)
        SetExplorerTheme(true);
}

void TXVTrackList::SetCompactRows(bool flag)
{
    m_bCompactRows = flag;
    BuildSmallImages();
}

void TXVTrackList::SetFullWidthColumn(bool flag)
{
    m_bFullWidth = flag;
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    SetColumnWidth(0, client.Width() - 18);
}

void TXVTrackList::HideScrollBars(int mode, int which)
{
    m_hideBars.Hide(*this, mode, which);
}

void TXVTrackList::ToggleIconView()
{
    if (!m_hWnd)
        return;
    ModifyStyle(0, LVS_SHAREIMAGELISTS);
    CListCtrl::SetImageList(nullptr, LVSIL_SMALL);
    CListCtrl::SetImageList(nullptr, LVSIL_NORMAL);
    if (!m_bIconView) {
        ModifyStyle(LVS_TYPEMASK, LVS_ICON);
        m_images.DeleteImageList();
        m_bitmap.DeleteObject();
        m_images.Create(100, 100, ILC_COLOR32 | ILC_MASK, 0, 5);
        const CString path = GetProgramFolder() + "IconView.bmp";
        HANDLE picture = ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        if (picture) {
            m_bitmap.Attach(picture);
            m_images.Add(&m_bitmap, static_cast<CBitmap*>(nullptr));
        }
        CListCtrl::SetImageList(&m_images, LVSIL_NORMAL);
        if (m_images.GetImageCount() > 0)
            m_hIconViewIcon = m_images.ExtractIcon(0);
        m_bIconView = true;
    } else {
        if (m_hIconViewIcon)
            ::DestroyIcon(m_hIconViewIcon);
        m_hIconViewIcon = nullptr;
        ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
        m_bIconView = false;
        BuildSmallImages();
    }
    Invalidate();
    UpdateWindow();
}

// ---- Filling and reading ----------------------------------------------------

void TXVTrackList::ShowTracks(CArray<CTrackRecord, CTrackRecord&>& tracks)
{
    DeleteAllItems();
    const bool playedIcons = m_pOwner && m_pOwner->ShowPlayedSongIcon();
    for (int i = 0; i < tracks.GetSize(); ++i) {
        VIZU::ProcessMessages();
        const CTrackRecord& rec = tracks[i];
        const bool inHistory = playedIcons && m_pOwner->IsInHistory(rec.m_FileName);
        const int icon = RowIcon(rec.m_FileType, playedIcons, inHistory);
        const int row = InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, i, rec.m_Title, 0, 0, icon, i);
        if (row < 0)
            continue;
        CString number;
        SetItemText(row, COL_ARTIST, rec.m_Artist);
        SetItemText(row, COL_EMPTY, "");
        SetItemText(row, COL_ALBUM, rec.m_Album);
        SetItemText(row, COL_GENRE, rec.m_Genre);
        SetItemText(row, COL_LENGTH, VIZU::SecondsToString(rec.m_Length));
        SetItemText(row, COL_YEAR, rec.m_Year);
        SetItemText(row, COL_BPM, rec.m_BPMText);
        SetItemText(row, COL_PATH, rec.m_FileName);
        number.Format("%d", rec.m_Index);
        SetItemText(row, COL_INDEX, number);
        number.Format("%d", rec.m_PlayCount);
        SetItemText(row, COL_PLAYCOUNT, number);
    }
    if (m_bSTI && GetItemCount() > 0)
        SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int TXVTrackList::GetSelectedPaths(CStringArray& paths) const
{
    int count = 0;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        paths.Add(GetItemText(row, COL_PATH));
        ++count;
    }
    return count;
}

bool TXVTrackList::MoveItem(int from, int to)
{
    if (!MoveIsValid(from, to) || from >= GetItemCount())
        return false;
    char text[1024] = {};
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = from;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!GetItem(&item))
        return false;
    const int emptyColumnImage = GetItemImage(from, COL_EMPTY);
    const CHeaderCtrl* header = GetHeaderCtrl();
    const int columns = header ? header->GetItemCount() : 1;
    CStringArray texts;
    for (int column = 1; column < columns; ++column)
        texts.Add(GetItemText(from, column));

    item.iItem = to;
    const int row = InsertItem(&item);
    if (row < 0)
        return false;
    SetItemImage(row, COL_EMPTY, emptyColumnImage);
    for (int column = 1; column < columns; ++column)
        SetItemText(row, column, texts[column - 1]);
    DeleteItem(MovedRowToDelete(from, row));
    return true;
}

// ---- Sorting ----------------------------------------------------------------

BOOL TXVTrackList::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    const CHeaderCtrl* header = GetHeaderCtrl();
    if (hdr && header && hdr->hwndFrom == header->GetSafeHwnd() &&
        (hdr->code == HDN_ITEMCLICKA || hdr->code == HDN_ITEMCLICKW)) {
        const NMHEADERA* click = reinterpret_cast<const NMHEADERA*>(lParam);
        *pResult = 0;
        SortByColumn(click->iItem);
        return TRUE;
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

void TXVTrackList::SortByColumn(int column)
{
    if (m_pOwner)
        m_pOwner->SetSortStatus("Sorting...");
    if (CWnd* parent = GetParent())
        parent->SetFocus();
    if (!m_bSorting)
        return;

    bool quickSort = false;
    int view = 0;
    if (m_nListType == kMainTrackList) {
        const CString ini = GetProgramFolder() + "TavrixVJ.INI";
        quickSort = ::GetPrivateProfileIntA("MAIN", "ListsUseQuickSort", 1, ini) != 0;
        view = m_pOwner ? m_pOwner->GetLibraryView() : 0;
    }
    switch (SortActionFor(m_bSorting, m_nListType, quickSort, view, column)) {
    case SORT_ROWS_BY_DATA: {
        CWaitCursor wait;
        g_sortInfo.List = this;
        g_sortInfo.Column = column;
        g_sortInfo.Ascending = true;
        SortItems(&VIZU::KVSort, reinterpret_cast<DWORD_PTR>(&g_sortInfo));
        break;
    }
    case SORT_ROWS_BY_INDEX: {
        CWaitCursor wait;
        SortRowsOnTexts(*this, column);
        break;
    }
    case SORT_LIBRARY:
        VIZU::SortTrackList(LibrarySortCode(column));
        [[fallthrough]];
    case REFILL_ONLY:
        VIZU::DisplayTracks(this, m_pOwner && m_pOwner->DisplayBadLinks(), &m_images, false, false);
        break;
    case SORT_NONE:
        break;
    }
    if (m_pOwner)
        m_pOwner->UpdateLibraryStatusLine();
}

// ---- Notifications ----------------------------------------------------------

void TXVTrackList::OnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_pOwner)
        m_pOwner->BeginListDrag(this);
}

void TXVTrackList::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
        !(change->uOldState & LVIS_SELECTED) && m_nListType == kMainTrackList && m_pOwner)
        m_pOwner->ShowSelectedTrackInfo();
}

LRESULT TXVTrackList::OnMouseLeaveMsg(WPARAM, LPARAM)
{
    return 0;
}

LRESULT TXVTrackList::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    m_hideBars.BeforeNcCalcSize(m_hWnd);
    return DefWindowProc(WM_NCCALCSIZE, wParam, lParam);
}

BOOL TXVTrackList::OnEraseBkgnd(CDC* pDC)
{
    if (!m_bShowEmptyText || GetItemCount() > 0)
        return static_cast<BOOL>(Default());
    CRect client;
    GetClientRect(&client);
    if (m_bOwnerHeader) {
        CHeaderCtrl* header = GetHeaderCtrl();
        CRect first;
        if (header && header->GetItemCount() > 0 &&
            ::SendMessageA(header->GetSafeHwnd(), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)))
            client.top = first.bottom;
    }
    CBrush back;
    back.CreateSolidBrush(m_crBack);
    pDC->FillRect(&client, &back);
    CDCSelect font(*pDC, m_font);
    pDC->SetTextColor(m_crText);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(m_strEmptyText, &client, DT_CENTER | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX);
    return TRUE;
}

// ---- Custom draw ------------------------------------------------------------

void TXVTrackList::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (!m_bJukeStyle || m_bExplorerTheme)
        return;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        *pResult = m_bIconView ? DrawIconItem(draw) : CDRF_NOTIFYSUBITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        if (!m_bIconView)
            *pResult = DrawSelectedCell(draw);
        break;
    default:
        break;
    }
}

LRESULT TXVTrackList::DrawIconItem(NMLVCUSTOMDRAW* draw)
{
    const int item = static_cast<int>(draw->nmcd.dwItemSpec);
    CDC* dc = CDC::FromHandle(draw->nmcd.hdc);
    CRect bounds, icon, label;
    GetItemRect(item, &bounds, LVIR_BOUNDS);
    GetItemRect(item, &icon, LVIR_ICON);
    GetItemRect(item, &label, LVIR_LABEL);

    dc->SetBkMode(TRANSPARENT);
    dc->SetBkColor(m_crBack);
    dc->SetTextColor(m_crText);
    if (GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) {
        CBrush selected;
        selected.CreateSolidBrush(RGB(0, 70, 213));
        CDCSelect brush(*dc, selected);
        dc->RoundRect(icon.left, icon.top, icon.right, icon.bottom, 26, 26);
    }
    if (m_hIconViewIcon) {
        CBrush back;
        back.CreateSolidBrush(m_crBack);
        CDCSelect brush(*dc, back);
        const int x = icon.left + icon.Width() / 2 - 50;
        const int y = icon.top + icon.Height() / 2 - 50;
        ::DrawIconEx(dc->m_hDC, x, y, m_hIconViewIcon, 100, 100, 0, nullptr, DI_NORMAL);
    }
    CRect text(bounds.left + 5, label.top + 30, bounds.right - 5, label.bottom);
    const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    {
        CDCSelect font(*dc, m_font);
        dc->DrawText(GetItemText(item, COL_TITLE), &text, flags);
    }
    text.OffsetRect(0, 16);
    CDCSelect font(*dc, m_fontSmall);
    dc->SetTextColor(RGB(128, 128, 128));
    dc->DrawText(GetItemText(item, COL_ARTIST), &text, flags);
    return CDRF_SKIPDEFAULT;
}

LRESULT TXVTrackList::DrawSelectedCell(NMLVCUSTOMDRAW* draw)
{
    const int item = static_cast<int>(draw->nmcd.dwItemSpec);
    const int column = draw->iSubItem;
    const bool selected = (GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    if (!selected || (m_bFullWidth && column != 0))
        return CDRF_DODEFAULT;

    CRect cell;
    GetSubItemRect(item, column, LVIR_LABEL, cell);
    CRect text(cell.left + 6, cell.top + 2, cell.right, cell.bottom);
    CDC* target = CDC::FromHandle(draw->nmcd.hdc);
    MemDC dc(target, &cell);

    CPen frame;
    frame.CreatePen(PS_SOLID, 1, RGB(128, 128, 255));
    // The inside of the frame starts in the list's background colour (the
    // gradients cover it; the third style shows it).
    CBrush inside;
    inside.CreateSolidBrush(m_crBack);
    CDCSelect penSel(dc, frame);
    CDCSelect brushSel(dc, inside);
    const int right = cell.right;
    cell.right -= 3;
    if (m_bJukeStyle3) {
        CPen green;
        green.CreatePen(PS_SOLID, 1, RGB(137, 197, 140));
        CDCSelect greenSel(dc, green);
        dc.Rectangle(&cell);
        cell.DeflateRect(1, 1);
    } else {
        dc.Rectangle(&cell);
        cell.DeflateRect(1, 1);
        CPen clear;
        clear.CreatePen(PS_SOLID, 1, m_crBack);
        {
            CDCSelect clearSel(dc, clear);
            dc.MoveTo(right - 3, cell.top - 1);
            dc.LineTo(right - 3, cell.bottom + 1);
            dc.MoveTo(right - 2, cell.top - 1);
            dc.LineTo(right - 2, cell.bottom + 1);
        }
        CRect lower = cell;
        lower.top = cell.top + cell.Height() / 2;
        if (m_bJukeStyle2) {
            GradientFillRect(&dc, cell, RGB(210, 240, 250), RGB(186, 216, 250));
            GradientFillRect(&dc, lower, RGB(192, 192, 255), RGB(163, 165, 255));
        } else {
            GradientFillRect(&dc, cell, RGB(128, 134, 148), RGB(66, 71, 90));
            GradientFillRect(&dc, lower, RGB(48, 51, 66), RGB(25, 25, 37));
        }
    }
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_bJukeStyle2 ? RGB(0, 0, 0) : m_crText);
    CDCSelect fontSel(dc, m_font);
    const bool composition = !m_pOwner || m_pOwner->HasDesktopComposition();
    if (column > 0 && !m_bFullWidth) {
        if (!composition)
            text.top -= 2;
    } else {
        if (!composition && m_bCompactRows)
            text.top -= 2;
        text.left -= 4;
    }
    dc.DrawText(GetItemText(item, column), &text, DT_NOPREFIX | DT_END_ELLIPSIS);
    return CDRF_SKIPDEFAULT;
}
