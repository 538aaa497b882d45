// Filling the tree: the rebuild, the top-level nodes, drives, folders and
// network resources, listing an item when it expands, and the walks that
// find or select the item of a path.
#include "foundation/filetree/TreeFileCtrl.h"

#include <vector>

#include "foundation/filetree/FileTreeRules.h"
#include "foundation/filetree/ShellLists.h"
#include "framework/win/CWaitCursor.h"

namespace {

// The largest network listing read at once.
const DWORD kMaxNetworkBuffer = 4u << 20;

} // namespace

void CTreeFileCtrl::Refresh()
{
    if (!IsWindow())
        return;
    CWaitCursor wait;
    SetRedraw(FALSE);
    HTREEITEM hSelected = GetSelectedItem();
    CString selectedPath = ItemToPath(hSelected);
    BOOL wasExpanded = hSelected && (GetItemState(hSelected, TVIS_EXPANDED) & TVIS_EXPANDED);

    ShareList::Refresh();
    StopAllMonitors();
    // The rebuild is not a move of the user's: it leaves the history alone.
    BOOL holding = m_bHoldSelectionHistory;
    m_bHoldSelectionHistory = TRUE;
    DeleteAllNodes();

    if (!m_sRootFolder.IsEmpty()) {
        PopulateFolder(m_sRootFolder, TVI_ROOT, FALSE);
        if (CanMonitorDrive(m_sRootFolder))
            StartMonitor(m_sRootFolder);
    } else {
#ifndef TAVRIX_KVLIB_FLAVOUR
        if (m_bShowDesktopRoot) {
            HTREEITEM hDesktop = nullptr;
            InsertSpecialFolder(CSIDL_DESKTOP, TVI_ROOT, &hDesktop, FALSE, nullptr);
            if (hDesktop)
                m_hRoot = hDesktop;
        }
        PopulateTopLevel();
#else
        InsertComputerAndNetwork(TVI_ROOT);
#endif
    }
    if (!selectedPath.IsEmpty())
        SelectPath(selectedPath, wasExpanded);
    m_bHoldSelectionHistory = holding;
    SetRedraw(TRUE);
}

void CTreeFileCtrl::InsertSpecialFolder(int nFolder, HTREEITEM hParent, HTREEITEM* phItem, BOOL bNetwork,
                                        CString* pFolderPath)
{
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(m_hWnd, nFolder, &pidl)) || !pidl)
        return;
    SHFILEINFOA info = {};
    ::SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
    CTreeFileCtrlItem* pRecord = new CTreeFileCtrlItem;
    pRecord->m_sName = info.szDisplayName;
    pRecord->m_bNetwork = bNetwork;
    if (pFolderPath) {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(pidl, path))
            pRecord->m_sPath = path;
        // Paths in the tree end without a '\' (some shells give one).
        if (pRecord->m_sPath.GetLength() > 3 && pRecord->m_sPath.Right(1) == "\\")
            pRecord->m_sPath = pRecord->m_sPath.Left(pRecord->m_sPath.GetLength() - 1);
        *pFolderPath = pRecord->m_sPath;
    }
    int icon = GetPidlIcon(pidl);
    int selected = GetPidlSelectedIcon(pidl);
    ::CoTaskMemFree(pidl);
    HTREEITEM hItem = InsertNode(hParent, pRecord, FALSE, icon, selected, FALSE);
    if (phItem)
        *phItem = hItem;
}

#ifndef TAVRIX_KVLIB_FLAVOUR
void CTreeFileCtrl::PopulateTopLevel()
{
    if (m_bShowMyDocuments)
        InsertSpecialFolder(CSIDL_PERSONAL, m_hRoot, &m_hMyDocumentsItem, FALSE, &m_sMyDocumentsPath);
    InsertComputerAndNetwork(m_hRoot);
}
#endif

void CTreeFileCtrl::InsertComputerAndNetwork(HTREEITEM hParent)
{
    if (m_bShowMyComputer)
        InsertSpecialFolder(CSIDL_DRIVES, hParent, &m_hMyComputerItem, FALSE, nullptr);
    else
        PopulateDrives(hParent, FALSE);
    if (m_bShowNetwork)
        InsertSpecialFolder(CSIDL_NETWORK, hParent, &m_hNetworkItem, TRUE, nullptr);
}

void CTreeFileCtrl::DeleteAllNodes()
{
    DeleteAllItems();
    m_hNetworkItem = m_hMyComputerItem = m_hRootFolderItem = nullptr;
#ifndef TAVRIX_KVLIB_FLAVOUR
    m_hMyDocumentsItem = nullptr;
    m_hRoot = TVI_ROOT;
#endif
}

void CTreeFileCtrl::PopulateDrives(HTREEITEM hParent, BOOL bRedraw)
{
    CWaitCursor wait;
    if (bRedraw)
        SetRedraw(FALSE);
    DWORD mask = ::GetLogicalDrives();
    for (int i = 0; i < 32; ++i) {
        if (!(mask & (1u << i)))
            continue;
        CString root;
        root.Format("%c:\\", 'A' + i);
        if (!ShouldShowDrive(root))
            continue;
        CTreeFileCtrlItem* pRecord = new CTreeFileCtrlItem;
        pRecord->m_sPath = root;
        pRecord->m_sName = root;
        BOOL shared = m_bShowSharedOverlay && IsShared(root);
        InsertNode(hParent, pRecord, shared, GetPathIcon(root), GetPathSelectedIcon(root), TRUE);
    }
    if (bRedraw)
        SetRedraw(TRUE);
}

void CTreeFileCtrl::PopulateFolder(const CString& sPath, HTREEITEM hParent, BOOL bRedraw)
{
    CWaitCursor wait;
    if (bRedraw)
        SetRedraw(FALSE);
    HTREEITEM listing = m_hListing;
    m_hListing = hParent;
    DeleteChildren(hParent);

    if (m_bShowRootFolderItem && hParent == TopItem() && !m_sRootFolder.IsEmpty()) {
        CTreeFileCtrlItem* pRecord = new CTreeFileCtrlItem;
        pRecord->m_sPath = m_sRootFolder;
        pRecord->m_sName = m_sRootFolder;
        m_hRootFolderItem = InsertNode(hParent, pRecord, FALSE, GetPathIcon(m_sRootFolder),
                                       GetPathSelectedIcon(m_sRootFolder), TRUE);
        m_hListing = listing;
        if (m_hRootFolderItem)
            ExpandForWalk(m_hRootFolderItem);
    } else {
        PopulateFolderLevel(sPath, hParent);
        m_hListing = listing;
    }
    if (bRedraw)
        SetRedraw(TRUE);
}

void CTreeFileCtrl::PopulateFolderLevel(const CString& sPath, HTREEITEM hParent)
{
    CString base = sPath;
    if (base.Right(1) != "\\")
        base += '\\';
    // Each pass's names are sorted before they are inserted, so the tree
    // gets them in their final order: folders first, each group by name
    // ignoring case.
    CStringArray folders, files;
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(base + "*.*", &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (ShouldShowFolder(found))
                folders.Add(found.cFileName);
        } while (::FindNextFileA(hFind, &found));
        ::FindClose(hFind);
    }
    if (m_bShowFiles) {
        hFind = ::FindFirstFileA(base + m_sFileFilter, &found);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && ShouldShowFile(found))
                    files.Add(found.cFileName);
            } while (::FindNextFileA(hFind, &found));
            ::FindClose(hFind);
        }
    }
    filetree::SortIgnoringCase(folders);
    filetree::SortIgnoringCase(files);

    BOOL any = FALSE;
    for (INT_PTR i = 0; i < folders.GetSize(); ++i) {
        CTreeFileCtrlItem* pRecord = new CTreeFileCtrlItem;
        pRecord->m_sPath = base + folders[i];
        pRecord->m_sName = folders[i];
        BOOL shared = m_bShowSharedOverlay && IsShared(pRecord->m_sPath);
        CString path = pRecord->m_sPath;
        if (InsertNode(hParent, pRecord, shared, GetPathIcon(path), GetPathSelectedIcon(path), TRUE))
            any = TRUE;
    }
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        CTreeFileCtrlItem* pRecord = new CTreeFileCtrlItem;
        pRecord->m_sPath = base + files[i];
        pRecord->m_sName = files[i];
        pRecord->m_bFile = TRUE;
        // A file's open icon is its icon: one look-up serves both.
        int icon = GetPathIcon(pRecord->m_sPath);
        if (InsertNode(hParent, pRecord, FALSE, icon, icon, TRUE))
            any = TRUE;
    }
    if (!any)
        SetChildrenCount(hParent, 0);
}

BOOL CTreeFileCtrl::PopulateNetwork(HTREEITEM hParent)
{
    CTreeFileCtrlItem* pParent = GetItemRecord(hParent);
    NETRESOURCEA* pResource = pParent ? pParent->m_pNetResource : nullptr;
    HANDLE hEnum = nullptr;
    DWORD status = ::WNetOpenEnumA(pResource ? RESOURCE_GLOBALNET : RESOURCE_CONTEXT, m_dwNetResourceType, 0,
                                   pResource, &hEnum);
    if (status != NO_ERROR)
        return FALSE;
    BOOL anyRead = FALSE;
    std::vector<unsigned char> buffer(16384);
    for (;;) {
        DWORD count = 0xFFFFFFFFu;
        DWORD size = static_cast<DWORD>(buffer.size());
        status = ::WNetEnumResourceA(hEnum, &count, buffer.data(), &size);
        if (status == ERROR_MORE_DATA) {
            DWORD wanted = size > buffer.size() ? size * 2 : static_cast<DWORD>(buffer.size()) * 2;
            if (wanted > kMaxNetworkBuffer)
                break;
            buffer.resize(wanted);
            continue;
        }
        if (status != NO_ERROR)
            break;
        const NETRESOURCEA* resources = reinterpret_cast<const NETRESOURCEA*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            const NETRESOURCEA& resource = resources[i];
            anyRead = TRUE;
            CString text = resource.lpRemoteName && *resource.lpRemoteName ? resource.lpRemoteName
                                                                          : resource.lpComment;
            for (int n = 0; n < 2 && text.Left(1) == "\\"; ++n)
                text = text.Mid(1);
            CTreeFileCtrlItem* pRecord = new CTreeFileCtrlItem;
            pRecord->SetNetResource(&resource);
            pRecord->m_sPath = resource.lpRemoteName ? CString(resource.lpRemoteName) : text;
            pRecord->m_sName = text;
            pRecord->m_bNetwork = TRUE;
            if (!ShouldShowNetworkNode(pRecord)) {
                delete pRecord;
                continue;
            }
            CString path = pRecord->m_sPath;
            if (resource.dwDisplayType == RESOURCEDISPLAYTYPE_SHARE) {
                int slash = text.Find('\\');
                if (slash >= 0)
                    pRecord->m_sName = text.Mid(slash + 1);
                InsertNode(hParent, pRecord, m_bShowSharedOverlay, GetPathIcon(path), GetPathSelectedIcon(path),
                           TRUE);
            } else if (resource.dwDisplayType == RESOURCEDISPLAYTYPE_SERVER) {
                CString server = "\\\\" + pRecord->m_sName;
                InsertNode(hParent, pRecord, FALSE, GetPathIcon(server), GetPathSelectedIcon(server), FALSE);
            } else {
                int icon = 65535, selected = 65535;
                LPITEMIDLIST pidl = nullptr;
                if (SUCCEEDED(::SHGetSpecialFolderLocation(m_hWnd, CSIDL_NETWORK, &pidl)) && pidl) {
                    icon = GetPidlIcon(pidl);
                    selected = GetPidlSelectedIcon(pidl);
                    ::CoTaskMemFree(pidl);
                }
                InsertNode(hParent, pRecord, FALSE, icon, selected, FALSE);
            }
        }
        // One read takes every entry that fits; the next reports the end.
    }
    ::WNetCloseEnum(hEnum);
    return anyRead;
}

// ---- Expanding ---------------------------------------------------------------------

BOOL CTreeFileCtrl::ExpandItem(HTREEITEM hItem)
{
    if (!hItem || hItem == m_hListing)
        return TRUE;
#ifndef TAVRIX_KVLIB_FLAVOUR
    if (hItem == m_hRoot && m_sRootFolder.IsEmpty()) {
        PopulateTopLevel();
        return TRUE;
    }
#endif
    if (hItem == m_hMyComputerItem) {
        PopulateDrives(hItem, TRUE);
        return TRUE;
    }
    CTreeFileCtrlItem* pRecord = GetItemRecord(hItem);
    if (hItem == m_hNetworkItem || (pRecord && pRecord->m_bNetwork && !IsFolder(pRecord->m_sPath))) {
        CWaitCursor wait;
        PopulateNetwork(hItem);
        return TRUE;
    }
    if (!pRecord || pRecord->m_sPath.IsEmpty())
        return TRUE;
    CString path = pRecord->m_sPath;
    if (IsMediaPresent(path)) {
        if (IsFolder(path)) {
            if (!FirstChild(hItem))
                PopulateFolder(path, hItem, TRUE);
            if (m_bMonitorChanges && IsDriveRoot(path))
                StartMonitor(path);
            return TRUE;
        }
        // The folder has vanished: the item goes.
        HTREEITEM hParent = GetParentItem(hItem);
        DeleteItem(hItem);
        if (hParent && !FirstChild(hParent))
            SetChildrenCount(hParent, 0);
        return FALSE;
    }
    if (hItem != TopItem()) {
        CWaitCursor wait;
        DeleteChildren(hItem);
        SetChildrenCount(hItem, 0);
    }
    return TRUE;
}

BOOL CTreeFileCtrl::ExpandForWalk(HTREEITEM hItem)
{
    if (!hItem || hItem == TVI_ROOT)
        return hItem != nullptr;
    if (!FirstChild(hItem)) {
        HTREEITEM listing = m_hListing;
        if (!ExpandItem(hItem))
            return FALSE;
        m_hListing = hItem;   // the tree's own expanding notification must not list it again
        Expand(hItem, TVE_EXPAND);
        m_hListing = listing;
        return TRUE;
    }
    Expand(hItem, TVE_EXPAND);
    return TRUE;
}

// ---- Path walks -----------------------------------------------------------------------

HTREEITEM CTreeFileCtrl::FindServerParent(HTREEITEM hItem)
{
    for (HTREEITEM hChild = FirstChild(hItem); hChild; hChild = GetNextSiblingItem(hChild)) {
        CTreeFileCtrlItem* pRecord = GetItemRecord(hChild);
        if (pRecord && pRecord->m_pNetResource &&
            pRecord->m_pNetResource->dwDisplayType == RESOURCEDISPLAYTYPE_SERVER)
            return hItem;
    }
    for (HTREEITEM hChild = FirstChild(hItem); hChild; hChild = GetNextSiblingItem(hChild)) {
        if (HTREEITEM hFound = FindServerParent(hChild))
            return hFound;
    }
    return nullptr;
}

HTREEITEM CTreeFileCtrl::PathToItem(const CString& sPath)
{
    return Walk(sPath, FALSE, FALSE);
}

HTREEITEM CTreeFileCtrl::SelectPath(const CString& sPath, BOOL bExpand)
{
    if (!IsWindow())
        return nullptr;
    SetRedraw(FALSE);
    HTREEITEM hItem = Walk(sPath, TRUE, bExpand);
    SetRedraw(TRUE);
    return hItem;
}

HTREEITEM CTreeFileCtrl::Walk(const CString& sPath, BOOL bSelect, BOOL bExpand)
{
    CString rest;
    filetree::WalkStart start = filetree::NormaliseWalkPath(sPath, m_sRootFolder, rest);
    if (start == filetree::WalkStart::None)
        return nullptr;
    if (start == filetree::WalkStart::RootFolder) {
        if (bSelect && m_hRootFolderItem) {
            SelectItem(m_hRootFolderItem);
            if (bExpand)
                ExpandForWalk(m_hRootFolderItem);
        }
        return m_hRootFolderItem;
    }

    HTREEITEM hItem = TopItem();
    if (!m_sRootFolder.IsEmpty() && m_hRootFolderItem)
        hItem = m_hRootFolderItem;
    bool prefixConsumed = !m_sRootFolder.IsEmpty();
    if (m_bShowNetwork && rest.GetLength() > 2 && rest.Left(2) == "\\\\") {
        if (bSelect && m_hNetworkItem)
            ExpandForWalk(m_hNetworkItem);
        hItem = m_hNetworkItem ? FindServerParent(m_hNetworkItem) : nullptr;
        if (!hItem)
            return nullptr;
        rest = rest.Mid(2);
        prefixConsumed = true;
    } else if (m_sRootFolder.IsEmpty()) {
#ifndef TAVRIX_KVLIB_FLAVOUR
        if (bSelect && m_hMyDocumentsItem && filetree::ConsumePrefix(rest, m_sMyDocumentsPath)) {
            hItem = m_hMyDocumentsItem;
            prefixConsumed = true;
        } else
#endif
        if (m_hMyComputerItem) {
            hItem = m_hMyComputerItem;
        }
        if (bSelect && hItem != TVI_ROOT && !ExpandForWalk(hItem))
            return nullptr;
    }

    CStringArray parts;
    filetree::SplitComponents(rest, !prefixConsumed, parts);
    bool driveRootOnly = filetree::IsDriveRootText(rest);
    for (INT_PTR i = 0; i < parts.GetSize(); ++i) {
        HTREEITEM hChild = FindChildByName(hItem, parts[i]);
        if (!hChild)
            return nullptr;
        hItem = hChild;
        if (bSelect && i + 1 < parts.GetSize() && !driveRootOnly) {
            SelectItem(hItem);
            if (!ExpandForWalk(hItem))
                return nullptr;
        }
    }
    if (hItem == TVI_ROOT)
        return nullptr;
    if (bSelect) {
        SelectItem(hItem);
        if (bExpand)
            ExpandForWalk(hItem);
        EnsureVisible(hItem);
    }
    return hItem;
}

BOOL CTreeFileCtrl::ItemExists(HTREEITEM hItem) const
{
    if (!hItem)
        return FALSE;
    // A depth-first walk over every item in the tree (history entries only).
    std::vector<HTREEITEM> stack;
    for (HTREEITEM h = GetRootItem(); h; h = GetNextSiblingItem(h))
        stack.push_back(h);
    while (!stack.empty()) {
        HTREEITEM h = stack.back();
        stack.pop_back();
        if (h == hItem)
            return TRUE;
        for (HTREEITEM c = GetChildItem(h); c; c = GetNextSiblingItem(c))
            stack.push_back(c);
    }
    return FALSE;
}
