// What the user can do with the tree: commands and keys, opening, renaming,
// deleting and properties through the shell, history, colours of compressed
// and encrypted items, and dragging files onto folders.
#include "foundation/filetree/TreeFileCtrl.h"

#include <shellapi.h>

#include <vector>

#include "foundation/filetree/FileTreeRules.h"
#include "framework/ui/CImageList.h"
#include "framework/ui/CMenu.h"
#include "framework/ui/CWinApp.h"
#include "framework/ui/Prompts.h"
#include "framework/win/CWaitCursor.h"

namespace {

const UINT_PTR kDragTimer = 1;
const UINT kDragTimerMs = 300;

bool KeyDown(int key)
{
    return (::GetKeyState(key) & 0x8000) != 0;
}

HWND MainWindow()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain ? pMain->GetSafeHwnd() : nullptr;
}

// A list of one path with its double terminator.
std::vector<char> PathList(const CString& sPath)
{
    std::vector<char> list(static_cast<size_t>(sPath.GetLength()) + 2, '\0');
    std::copy(static_cast<LPCSTR>(sPath), static_cast<LPCSTR>(sPath) + sPath.GetLength(), list.begin());
    return list;
}

// Keeps m_bMonitorChanges off while the control's own shell operation runs.
class MonitorPause
{
public:
    explicit MonitorPause(BOOL& flag) : m_flag(flag), m_saved(flag) { m_flag = FALSE; }
    ~MonitorPause() { m_flag = m_saved; }
    MonitorPause(const MonitorPause&) = delete;
    MonitorPause& operator=(const MonitorPause&) = delete;

private:
    BOOL& m_flag;
    BOOL m_saved;
};

} // namespace

BEGIN_MESSAGE_MAP(CTreeFileCtrl, CTreeCtrl)
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(CTreeFileCtrl::WM_TREEFILE_CHANGED, &CTreeFileCtrl::OnChange)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGA, &CTreeFileCtrl::OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGW, &CTreeFileCtrl::OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, &CTreeFileCtrl::OnSelChanged)
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, &CTreeFileCtrl::OnSelChanged)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDITA, &CTreeFileCtrl::OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDITW, &CTreeFileCtrl::OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDITA, &CTreeFileCtrl::OnEndLabelEdit)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDITW, &CTreeFileCtrl::OnEndLabelEdit)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMA, &CTreeFileCtrl::OnDeleteItem)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMW, &CTreeFileCtrl::OnDeleteItem)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, &CTreeFileCtrl::OnBeginDrag)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGW, &CTreeFileCtrl::OnBeginDrag)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CTreeFileCtrl::OnCustomDraw)
    ON_NOTIFY_REFLECT(NM_DBLCLK, &CTreeFileCtrl::OnDblClick)
    ON_NOTIFY_REFLECT(NM_RCLICK, &CTreeFileCtrl::OnRightClick)
    ON_COMMAND(ID_TREEFILE_PROPERTIES, &CTreeFileCtrl::OnProperties)
    ON_COMMAND(ID_TREEFILE_RENAME, &CTreeFileCtrl::OnRename)
    ON_COMMAND(ID_TREEFILE_OPEN, &CTreeFileCtrl::OnOpen)
    ON_COMMAND(ID_TREEFILE_DELETE, &CTreeFileCtrl::OnDelete)
    ON_COMMAND(ID_TREEFILE_REFRESH, &CTreeFileCtrl::OnRefresh)
    ON_COMMAND(ID_TREEFILE_UP, &CTreeFileCtrl::OnUp)
    ON_COMMAND(ID_TREEFILE_BACK, &CTreeFileCtrl::OnBack)
    ON_COMMAND(ID_TREEFILE_FORWARD, &CTreeFileCtrl::OnForward)
    ON_UPDATE_COMMAND_UI(ID_TREEFILE_PROPERTIES, &CTreeFileCtrl::OnUpdateProperties)
    ON_UPDATE_COMMAND_UI(ID_TREEFILE_RENAME, &CTreeFileCtrl::OnUpdateRename)
    ON_UPDATE_COMMAND_UI(ID_TREEFILE_OPEN, &CTreeFileCtrl::OnUpdateOpen)
    ON_UPDATE_COMMAND_UI(ID_TREEFILE_DELETE, &CTreeFileCtrl::OnUpdateDelete)
    ON_UPDATE_COMMAND_UI(ID_TREEFILE_UP, &CTreeFileCtrl::OnUpdateUp)
    ON_UPDATE_COMMAND_UI(ID_TREEFILE_BACK, &CTreeFileCtrl::OnUpdateBack)
    ON_UPDATE_COMMAND_UI(ID_TREEFILE_FORWARD, &CTreeFileCtrl::OnUpdateForward)
END_MESSAGE_MAP()

// ---- Keys ----------------------------------------------------------------------------

BOOL CTreeFileCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg || !m_hWnd)
        return FALSE;
    // While a label is edited every message goes straight on, so Enter and
    // Escape reach the edit control and end the edit.
    if (TreeView_GetEditControl(m_hWnd)) {
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) {
        bool alt = KeyDown(VK_MENU);
        switch (pMsg->wParam) {
        case VK_ESCAPE:
            if (m_hDragItem) {
                EndDrag(TRUE);
                return TRUE;
            }
            break;
        case VK_RETURN:
            PostMessage(WM_COMMAND, alt ? ID_TREEFILE_PROPERTIES : ID_TREEFILE_OPEN);
            return TRUE;
        case VK_DELETE:
            PostMessage(WM_COMMAND, ID_TREEFILE_DELETE);
            return TRUE;
        case VK_BACK:
            GoUp();
            return TRUE;
        case VK_F2:
            PostMessage(WM_COMMAND, ID_TREEFILE_RENAME);
            return TRUE;
        case VK_F5:
            PostMessage(WM_COMMAND, ID_TREEFILE_REFRESH);
            return TRUE;
        case VK_LEFT:
            if (alt) {
                PostMessage(WM_COMMAND, ID_TREEFILE_BACK);
                return TRUE;
            }
            break;
        case VK_RIGHT:
            if (alt) {
                PostMessage(WM_COMMAND, ID_TREEFILE_FORWARD);
                return TRUE;
            }
            break;
        case VK_F10:
            if (KeyDown(VK_SHIFT))
                return TRUE;   // no context menu
            break;
        default:
            break;
        }
    }
    if (pMsg->message == WM_CONTEXTMENU)
        return TRUE;
    return CTreeCtrl::PreTranslateMessage(pMsg);
}

void CTreeFileCtrl::OnContextMenu(CWnd*, CPoint)
{
}

void CTreeFileCtrl::OnInitMenuPopup(CMenu* pPopup, UINT, BOOL bSysMenu)
{
    if (bSysMenu || !pPopup)
        return;
    CCmdUI::UpdateMenu(this, pPopup->GetSafeHmenu());
}

// ---- Commands ----------------------------------------------------------------------------

BOOL CTreeFileCtrl::CanShowOrOpen(HTREEITEM hItem)
{
    if (!hItem)
        return FALSE;
    CTreeFileCtrlItem* pRecord = GetItemRecord(hItem);
    if (!pRecord || !pRecord->m_bNetwork)
        return TRUE;
    return pRecord->m_pNetResource && (pRecord->m_pNetResource->dwDisplayType == RESOURCEDISPLAYTYPE_SERVER ||
                                       pRecord->m_pNetResource->dwDisplayType == RESOURCEDISPLAYTYPE_SHARE);
}

void CTreeFileCtrl::OnProperties() { ShowItemProperties(GetSelectedItem()); }
void CTreeFileCtrl::OnRename() { RenameItem(GetSelectedItem()); }
void CTreeFileCtrl::OnOpen() { OpenItem(GetSelectedItem()); }
void CTreeFileCtrl::OnDelete() { DeleteItemFile(GetSelectedItem()); }
void CTreeFileCtrl::OnRefresh() { Refresh(); }

void CTreeFileCtrl::OnUp()
{
    HTREEITEM hParent = nullptr;
    if (HasParentSelection(&hParent))
        SelectItem(hParent);
}

BOOL CTreeFileCtrl::HasParentSelection(HTREEITEM* phParent)
{
    HTREEITEM hSelected = GetSelectedItem();
    HTREEITEM hParent = hSelected ? GetParentItem(hSelected) : nullptr;
    if (phParent)
        *phParent = hParent;
    return hParent != nullptr;
}

void CTreeFileCtrl::OnUpdateProperties(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bAllowProperties && CanShowOrOpen(GetSelectedItem()));
}

void CTreeFileCtrl::OnUpdateOpen(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bAllowOpen && CanShowOrOpen(GetSelectedItem()));
}

void CTreeFileCtrl::OnUpdateRename(CCmdUI* pCmdUI)
{
    HTREEITEM hItem = GetSelectedItem();
    pCmdUI->Enable(hItem && m_bAllowRename && !IsDriveRootItem(hItem) && !IsNetworkItem(hItem));
}

void CTreeFileCtrl::OnUpdateDelete(CCmdUI* pCmdUI)
{
    HTREEITEM hItem = GetSelectedItem();
    pCmdUI->Enable(hItem && m_bAllowDelete && !IsDriveRootItem(hItem) && !IsNetworkItem(hItem));
}

void CTreeFileCtrl::OnUpdateUp(CCmdUI* pCmdUI) { pCmdUI->Enable(HasParentSelection()); }
void CTreeFileCtrl::OnUpdateBack(CCmdUI* pCmdUI) { pCmdUI->Enable(CanGoBack()); }
void CTreeFileCtrl::OnUpdateForward(CCmdUI* pCmdUI) { pCmdUI->Enable(CanGoForward()); }

// ---- Shell actions ----------------------------------------------------------------------

BOOL CTreeFileCtrl::RenameItem(HTREEITEM hItem)
{
    if (!hItem || !m_bAllowRename || IsDriveRootItem(hItem) || IsNetworkItem(hItem))
        return FALSE;
    return EditLabel(hItem) != nullptr;
}

BOOL CTreeFileCtrl::ShowItemProperties(HTREEITEM hItem)
{
    return m_bAllowProperties && RunVerb(hItem, "properties");
}

BOOL CTreeFileCtrl::OpenItem(HTREEITEM hItem)
{
    return m_bAllowOpen && RunVerb(hItem, nullptr);
}

BOOL CTreeFileCtrl::RunVerb(HTREEITEM hItem, LPCSTR lpszVerb)
{
    if (!hItem)
        return FALSE;
    CString path = ItemToPath(hItem);
    SHELLEXECUTEINFOA sei = {};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_INVOKEIDLIST;
    sei.hwnd = MainWindow();
    sei.lpVerb = lpszVerb;
    sei.lpFile = path;
    sei.nShow = SW_SHOW;
    return AfxPromptShellExecute(&sei);
}

BOOL CTreeFileCtrl::RunFileOperation(SHFILEOPSTRUCTA& op)
{
    MonitorPause pause(m_bMonitorChanges);
    int result = AfxPromptFileOperation(&op);
    return result == 0 && !op.fAnyOperationsAborted;
}

BOOL CTreeFileCtrl::DeleteItemFile(HTREEITEM hItem)
{
    if (!hItem || !m_bAllowDelete || IsDriveRootItem(hItem) || IsNetworkItem(hItem))
        return FALSE;
    std::vector<char> from = PathList(ItemToPath(hItem));
    SHFILEOPSTRUCTA op = {};
    op.hwnd = MainWindow();
    op.wFunc = FO_DELETE;
    op.pFrom = from.data();
    op.fFlags = KeyDown(VK_SHIFT) ? 0 : FOF_ALLOWUNDO;
    if (!RunFileOperation(op))
        return FALSE;
    return DeleteItem(hItem);
}

void CTreeFileCtrl::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVDISPINFOA* pInfo = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    HTREEITEM hItem = pInfo->item.hItem;
    *pResult = (!hItem || !m_bAllowRename || IsDriveRootItem(hItem) || IsNetworkItem(hItem)) ? TRUE : FALSE;
    m_hEditItem = *pResult ? nullptr : hItem;
}

void CTreeFileCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = FALSE;
    NMTVDISPINFOA* pInfo = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    // The tree can report the end of one edit twice: only the first counts.
    if (!pInfo->item.hItem || pInfo->item.hItem != m_hEditItem)
        return;
    m_hEditItem = nullptr;
    if (!pInfo->item.pszText)
        return;   // cancelled
    CString typed;
    if (pNMHDR->code == TVN_ENDLABELEDITW) {
        const wchar_t* wide = reinterpret_cast<const wchar_t*>(pInfo->item.pszText);
        int n = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        std::vector<char> text(static_cast<size_t>(n > 0 ? n : 1), '\0');
        ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), n, nullptr, nullptr);
        typed = text.data();
    } else {
        typed = pInfo->item.pszText;
    }
    HTREEITEM hItem = pInfo->item.hItem;
    CTreeFileCtrlItem* pRecord = GetItemRecord(hItem);
    // A typed path could move the file anywhere: only a plain name renames.
    if (!pRecord || !filetree::IsValidItemName(typed))
        return;
    HTREEITEM hParent = GetParentItem(hItem);
    CString parentPath = hParent ? ItemToPath(hParent) : m_sRootFolder;
    if (parentPath.IsEmpty())
        return;
    CString newName;
    CString newPath = filetree::RenamedPath(parentPath, typed, pRecord->m_sPath,
                                            pRecord->m_bExtensionHidden != FALSE, newName);
    std::vector<char> from = PathList(pRecord->m_sPath);
    std::vector<char> to = PathList(newPath);
    SHFILEOPSTRUCTA op = {};
    op.hwnd = MainWindow();
    op.wFunc = FO_RENAME;
    op.pFrom = from.data();
    op.pTo = to.data();
    op.fFlags = FOF_ALLOWUNDO;
    if (!RunFileOperation(op))
        return;
    BOOL extensionShown = !pRecord->m_bExtensionHidden;
    pRecord->m_sPath = newPath;
    pRecord->m_sName = newName;
    SetItemText(hItem, typed);
    if (extensionShown)
        SetItemImage(hItem, GetPathIcon(newPath), GetPathSelectedIcon(newPath));
    *pResult = TRUE;
}

// ---- Mouse ------------------------------------------------------------------------------

void CTreeFileCtrl::OnDblClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM hItem = GetSelectedItem();
    if (!hItem)
        return;
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    if (GetItem(&item) && item.cChildren == 0)
        PostMessage(WM_COMMAND, ID_TREEFILE_OPEN);
}

void CTreeFileCtrl::OnRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    DWORD pos = ::GetMessagePos();
    CPoint point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
    ScreenToClient(&point);
    HTREEITEM hItem = HitTest(point);
    if (hItem)
        SelectItem(hItem);
}

// ---- Selection and history -----------------------------------------------------------

BOOL CTreeFileCtrl::IsItemStillValid(HTREEITEM hItem)
{
    if (!hItem)
        return FALSE;
    if (hItem == TopItem() || hItem == m_hNetworkItem || hItem == m_hMyComputerItem)
        return TRUE;
#ifndef TAVRIX_KVLIB_FLAVOUR
    if (hItem == m_hMyDocumentsItem)
        return TRUE;
#endif
    CTreeFileCtrlItem* pRecord = GetItemRecord(hItem);
    if (!pRecord)
        return TRUE;
    if (pRecord->m_bNetwork || IsDriveRoot(pRecord->m_sPath) || pRecord->m_sPath.IsEmpty())
        return TRUE;
    return ::GetFileAttributesA(pRecord->m_sPath) != INVALID_FILE_ATTRIBUTES;
}

void CTreeFileCtrl::PushHistory(CArray<HTREEITEM, HTREEITEM>& list, HTREEITEM hItem)
{
    if (list.GetSize() > m_nMaxHistory)
        list.RemoveAt(0);
    list.Add(hItem);
}

void CTreeFileCtrl::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    HTREEITEM hNew = pTree->itemNew.hItem;
    if (!hNew)
        return;
    if (IsItemStillValid(hNew)) {
        HTREEITEM hOld = pTree->itemOld.hItem;
        if (hOld && !m_bInHistoryNavigation && !m_bHoldSelectionHistory)
            PushHistory(m_BackItems, hOld);
        OnSelectionChanged(pTree, ItemToPath(hNew));
        return;
    }
    // The item's file or folder has vanished.
    HTREEITEM hParent = GetParentItem(hNew);
    DeleteItem(hNew);
    if (hParent && !FirstChild(hParent))
        SetChildrenCount(hParent, 0);
}

void CTreeFileCtrl::ForgetHistoryItem(HTREEITEM hItem)
{
    for (INT_PTR i = m_BackItems.GetSize() - 1; i >= 0; --i) {
        if (m_BackItems[i] == hItem)
            m_BackItems.RemoveAt(i);
    }
    for (INT_PTR i = m_ForwardItems.GetSize() - 1; i >= 0; --i) {
        if (m_ForwardItems[i] == hItem)
            m_ForwardItems.RemoveAt(i);
    }
}

void CTreeFileCtrl::GoUp()
{
    SendMessage(WM_COMMAND, ID_TREEFILE_UP);
}

BOOL CTreeFileCtrl::GoBack()
{
    if (m_BackItems.GetSize() == 0)
        return FALSE;
    SendMessage(WM_COMMAND, ID_TREEFILE_BACK);
    return TRUE;
}

BOOL CTreeFileCtrl::GoForward()
{
    if (m_ForwardItems.GetSize() == 0)
        return FALSE;
    SendMessage(WM_COMMAND, ID_TREEFILE_FORWARD);
    return TRUE;
}

BOOL CTreeFileCtrl::CanGoBack() { return m_BackItems.GetSize() > 0; }
BOOL CTreeFileCtrl::CanGoForward() { return m_ForwardItems.GetSize() > 0; }
int CTreeFileCtrl::GetMaxHistory() { return m_nMaxHistory; }

void CTreeFileCtrl::SetMaxHistory(int nMaxHistory)
{
    m_nMaxHistory = nMaxHistory < 0 ? 0 : nMaxHistory;
    while (m_BackItems.GetSize() > m_nMaxHistory)
        m_BackItems.RemoveAt(m_BackItems.GetSize() - 1);
    while (m_ForwardItems.GetSize() > m_nMaxHistory)
        m_ForwardItems.RemoveAt(m_ForwardItems.GetSize() - 1);
}

void CTreeFileCtrl::OnBack()
{
    StepHistory(m_BackItems, m_ForwardItems);
}

void CTreeFileCtrl::OnForward()
{
    StepHistory(m_ForwardItems, m_BackItems);
}

void CTreeFileCtrl::StepHistory(CArray<HTREEITEM, HTREEITEM>& from, CArray<HTREEITEM, HTREEITEM>& to)
{
    // Entries whose items are gone are dropped, never selected.
    while (from.GetSize() > 0) {
        HTREEITEM hItem = from[from.GetSize() - 1];
        from.RemoveAt(from.GetSize() - 1);
        if (!ItemExists(hItem))
            continue;
        HTREEITEM hBefore = GetSelectedItem();
        m_bInHistoryNavigation = TRUE;
        SelectItem(hItem);
        EnsureVisible(hItem);
        m_bInHistoryNavigation = FALSE;
        if (hBefore)
            PushHistory(to, hBefore);
        return;
    }
}

// ---- Expanding, collapsing, deleting ----------------------------------------------------

void CTreeFileCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = FALSE;
    NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    HTREEITEM hItem = pTree->itemNew.hItem;
    if (!hItem || m_bInCollapse)
        return;
    if (pTree->action & TVE_EXPAND) {
        if (hItem == m_hListing || FirstChild(hItem))
            return;
        TVITEMA item = {};
        item.mask = TVIF_CHILDREN;
        item.hItem = hItem;
        if (!GetItem(&item) || item.cChildren == 0)
            return;
        // An item that vanished or lost its media is not expanded: the item
        // may be gone by the time the tree would go on.
        HTREEITEM listing = m_hListing;
        m_hListing = nullptr;
        BOOL exists = ExpandItem(hItem);
        m_hListing = listing;
        if (!exists || !FirstChild(hItem))
            *pResult = TRUE;
        return;
    }
    if (pTree->action & TVE_COLLAPSE) {
        CWaitCursor wait;
        CString path = ItemToPath(hItem);
        if (IsDriveRoot(path))
            StopMonitor(path);
        BOOL hadChildren = FirstChild(hItem) != nullptr;
        m_bInCollapse = TRUE;
        Expand(hItem, TVE_COLLAPSE | TVE_COLLAPSERESET);
        DeleteChildren(hItem);
        m_bInCollapse = FALSE;
        CTreeFileCtrlItem* pRecord = GetItemRecord(hItem);
        BOOL networkNonShare = pRecord && pRecord->m_bNetwork &&
                               !(pRecord->m_pNetResource &&
                                 pRecord->m_pNetResource->dwDisplayType == RESOURCEDISPLAYTYPE_SHARE);
        if (!networkNonShare)
            SetChildrenCount(hItem, hadChildren ? 1 : 0);
    }
}

void CTreeFileCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    HTREEITEM hItem = pTree->itemOld.hItem;
    delete reinterpret_cast<CTreeFileCtrlItem*>(pTree->itemOld.lParam);
    ForgetHistoryItem(hItem);
    if (hItem == m_hDragItem)
        m_hDragItem = nullptr;
    if (hItem == m_hDropTarget)
        m_hDropTarget = nullptr;
    if (hItem == m_hNetworkItem)
        m_hNetworkItem = nullptr;
    if (hItem == m_hMyComputerItem)
        m_hMyComputerItem = nullptr;
    if (hItem == m_hRootFolderItem)
        m_hRootFolderItem = nullptr;
#ifndef TAVRIX_KVLIB_FLAVOUR
    if (hItem == m_hMyDocumentsItem)
        m_hMyDocumentsItem = nullptr;
    if (hItem == m_hRoot)
        m_hRoot = TVI_ROOT;
#endif
}

void CTreeFileCtrl::OnDestroy()
{
    if (m_hDragItem)
        EndDrag(TRUE);
    StopAllMonitors();
    DeleteAllNodes();
    CTreeCtrl::OnDestroy();
}

// ---- Colours ---------------------------------------------------------------------------

void CTreeFileCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTVCUSTOMDRAW* pDraw = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (pDraw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return;
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(pDraw->nmcd.dwItemSpec);
    if (!IsWindowVisible() || !hItem || (GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED))
        return;
    if (m_bShowCompressedColour && IsCompressedItem(hItem))
        pDraw->clrText = m_crCompressed;
    else if (m_bShowEncryptedColour && IsEncryptedItem(hItem))
        pDraw->clrText = m_crEncrypted;
}

// ---- Dragging ---------------------------------------------------------------------------

BOOL CTreeFileCtrl::CanDragItem(HTREEITEM hItem)
{
    return IsFileItem(hItem) && !IsDriveRootItem(hItem);
}

HTREEITEM CTreeFileCtrl::CanDropOn(HTREEITEM hItem)
{
    if (!hItem || IsFileItem(hItem) || hItem == m_hDragItem || !IsFolderItem(hItem))
        return nullptr;
    if (m_hDragItem && hItem == GetParentItem(m_hDragItem))
        return nullptr;
    for (HTREEITEM hUp = GetParentItem(hItem); hUp; hUp = GetParentItem(hUp)) {
        if (hUp == m_hDragItem)
            return nullptr;
    }
    return hItem;
}

void CTreeFileCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    HTREEITEM hItem = pTree->itemNew.hItem;
    if (!m_bAllowDragDrop || !CanDragItem(hItem))
        return;
    m_pDragImage = CreateDragImage(hItem);
    if (!m_pDragImage)
        return;
    m_hDragItem = hItem;
    m_hDropTarget = nullptr;
    m_nExpandHoverCount = 0;

    CPoint point = pTree->ptDrag;
    CPoint hotSpot(8, 8);
    UINT flags = 0;
    HTREEITEM hHit = HitTest(point, &flags);
    if (hHit) {
        int depth = 0;
        for (HTREEITEM h = hHit; h; h = GetParentItem(h))
            ++depth;
        if (!(GetStyle() & TVS_LINESATROOT))
            --depth;
        CRect rect;
        GetItemRect(hHit, &rect, FALSE);
        hotSpot.x = point.x + GetScrollPos(m_hWnd, SB_HORZ) - depth * static_cast<int>(GetIndent());
        hotSpot.y = point.y - rect.top;
    }
    m_pDragImage->BeginDrag(0, hotSpot);
    CPoint screen = point;
    ClientToScreen(&screen);
    CImageList::DragEnter(nullptr, screen);
    SetCapture();
    m_nDragTimer = SetTimer(kDragTimer, kDragTimerMs);
}

void CTreeFileCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_hDragItem && m_pDragImage) {
        CPoint screen = point;
        ClientToScreen(&screen);
        CImageList::DragMove(screen);
        CRect client;
        GetClientRect(&client);
        HTREEITEM hHit = client.PtInRect(point) ? HitTest(point) : nullptr;
        if (client.PtInRect(point) && hHit != m_hDropTarget) {
            CImageList::DragShowNolock(FALSE);
            SelectDropTarget(hHit);
            m_hDropTarget = hHit;
            CImageList::DragShowNolock(TRUE);
        }
        bool ctrl = (nFlags & MK_CONTROL) != 0;
        if (hHit && CanDropOn(hHit))
            ::SetCursor(ctrl ? m_hCopyCursor : m_hArrowCursor);
        else
            ::SetCursor(ctrl ? m_hCopyNoDropCursor : m_hNoDropCursor);
    }
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void CTreeFileCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_hDragItem) {
        CRect client;
        GetClientRect(&client);
        EndDrag(!client.PtInRect(point));
    }
    CTreeCtrl::OnLButtonUp(nFlags, point);
}

void CTreeFileCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kDragTimer || !m_hDragItem) {
        CTreeCtrl::OnTimer(nIDEvent);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CImageList::DragMove(cursor);
    HTREEITEM hFirst = GetFirstVisibleItem();
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    CRect first;
    int h = hFirst && GetItemRect(hFirst, &first, FALSE) ? first.Height() : 0;
    int direction = filetree::AutoScrollDirection(cursor.y, client.top, client.bottom, h,
                                                  hFirst == GetRootItem());
    if (direction < 0) {
        CImageList::DragShowNolock(FALSE);
        SendMessage(WM_VSCROLL, SB_LINEUP);
        HTREEITEM hTop = GetFirstVisibleItem();
        if (hTop) {
            EnsureVisible(hTop);
            SelectDropTarget(hTop);
            m_hDropTarget = hTop;
        }
        CImageList::DragShowNolock(TRUE);
    } else if (direction > 0) {
        CImageList::DragShowNolock(FALSE);
        SendMessage(WM_VSCROLL, SB_LINEDOWN);
        UINT visible = TreeView_GetVisibleCount(m_hWnd);
        HTREEITEM hTarget = hFirst;
        for (UINT i = 0; hTarget && i + 1 < visible; ++i) {
            HTREEITEM hNext = GetNextVisibleItem(hTarget);
            if (!hNext)
                break;
            hTarget = hNext;
        }
        if (hTarget) {
            SelectDropTarget(hTarget);
            m_hDropTarget = hTarget;
            EnsureVisible(hTarget);
        }
        CImageList::DragShowNolock(TRUE);
    }
    if (m_nExpandHoverCount >= 3) {
        m_nExpandHoverCount = 0;
        if (m_hDropTarget)
            Expand(m_hDropTarget, TVE_EXPAND);
    }
    if (m_hDropTarget) {
        TVITEMA item = {};
        item.mask = TVIF_CHILDREN | TVIF_STATE;
        item.stateMask = TVIS_EXPANDED;
        item.hItem = m_hDropTarget;
        if (GetItem(&item) && item.cChildren && !(item.state & TVIS_EXPANDED))
            ++m_nExpandHoverCount;
    }
}

void CTreeFileCtrl::EndDrag(BOOL bCancel)
{
    if (!m_hDragItem)
        return;
    if (m_nDragTimer)
        KillTimer(kDragTimer);
    m_nDragTimer = 0;
    CImageList::DragLeave(nullptr);
    CImageList::EndDrag();
    if (GetCapture() == this)
        ::ReleaseCapture();
    delete m_pDragImage;
    m_pDragImage = nullptr;
    SelectDropTarget(nullptr);
    HTREEITEM hDragged = m_hDragItem;
    HTREEITEM hTarget = CanDropOn(m_hDropTarget);
    m_hDragItem = nullptr;
    m_hDropTarget = nullptr;
    m_nExpandHoverCount = 0;
    if (bCancel || !hTarget)
        return;

    bool copy = KeyDown(VK_CONTROL);
    CString draggedText = GetItemText(hDragged);
    std::vector<char> from = PathList(ItemToPath(hDragged));
    std::vector<char> to = PathList(ItemToPath(hTarget));
    SHFILEOPSTRUCTA op = {};
    op.hwnd = m_hWnd;
    op.wFunc = copy ? FO_COPY : FO_MOVE;
    op.pFrom = from.data();
    op.pTo = to.data();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMMKDIR | (KeyDown(VK_SHIFT) ? 0 : FOF_ALLOWUNDO);
    if (!RunFileOperation(op))
        return;
    if (!HasChildNamed(hTarget, draggedText)) {
        m_bInCollapse = TRUE;
        Expand(hTarget, TVE_COLLAPSE | TVE_COLLAPSERESET);
        DeleteChildren(hTarget);
        m_bInCollapse = FALSE;
        SelectItem(hTarget);
        SetChildrenCount(hTarget, 1);
    }
    if (!copy) {
        HTREEITEM hOldParent = GetParentItem(hDragged);
        DeleteItem(hDragged);
        if (hOldParent && !FirstChild(hOldParent))
            SetChildrenCount(hOldParent, 0);
    }
}
