#include "foundation/filetree/TreeFileCtrl.h"

#include <commdlg.h>
#include <uxtheme.h>

#include <atomic>
#include <cstring>
#include <memory>

#include "foundation/filetree/FileTreeRules.h"
#include "foundation/filetree/ShellLists.h"
#include "framework/ui/CImageList.h"
#include "framework/win/AppState.h"

namespace {

// The drag cursors of each deliverable: copy onto a valid target, copy over
// an invalid place, move over an invalid place.
#ifdef TAVRIX_KVLIB_FLAVOUR
const UINT kCopyCursor = 2, kCopyNoDropCursor = 7009, kNoDropCursor = 7010;
#else
const UINT kCopyCursor = 143, kCopyNoDropCursor = 144, kNoDropCursor = 145;
#endif

char* DuplicateText(const char* text)
{
    if (!text)
        return nullptr;
    size_t n = std::strlen(text) + 1;
    char* copy = new char[n];
    std::memcpy(copy, text, n);
    return copy;
}

void FreeNetResource(NETRESOURCEA* pResource)
{
    if (!pResource)
        return;
    delete[] pResource->lpLocalName;
    delete[] pResource->lpRemoteName;
    delete[] pResource->lpComment;
    delete[] pResource->lpProvider;
    delete pResource;
}

std::atomic<long> g_liveRecords{0};

DWORD Attributes(const CString& sPath)
{
    return sPath.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(sPath);
}

// The path exists and carries the attribute.
bool HasAttribute(const CString& sPath, DWORD attribute)
{
    DWORD attributes = Attributes(sPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute) != 0;
}

} // namespace

// ---- CTreeFileCtrlItem ------------------------------------------------------

CTreeFileCtrlItem::CTreeFileCtrlItem()
{
    ++g_liveRecords;
}

CTreeFileCtrlItem::CTreeFileCtrlItem(const CTreeFileCtrlItem& other)
{
    ++g_liveRecords;
    *this = other;
}

long CTreeFileCtrlItem::LiveCount()
{
    return g_liveRecords.load();
}

CTreeFileCtrlItem& CTreeFileCtrlItem::operator=(const CTreeFileCtrlItem& other)
{
    if (this == &other)
        return *this;
    m_sPath = other.m_sPath;
    m_sName = other.m_sName;
    SetNetResource(other.m_pNetResource);
    m_bNetwork = other.m_bNetwork;
    m_bExtensionHidden = other.m_bExtensionHidden;
    m_bFile = other.m_bFile;
    return *this;
}

CTreeFileCtrlItem::~CTreeFileCtrlItem()
{
    FreeNetResource(m_pNetResource);
    --g_liveRecords;
}

void CTreeFileCtrlItem::SetNetResource(const NETRESOURCEA* pResource)
{
    FreeNetResource(m_pNetResource);
    m_pNetResource = nullptr;
    if (!pResource)
        return;
    std::unique_ptr<NETRESOURCEA> copy(new NETRESOURCEA(*pResource));
    copy->lpLocalName = DuplicateText(pResource->lpLocalName);
    copy->lpRemoteName = DuplicateText(pResource->lpRemoteName);
    copy->lpComment = DuplicateText(pResource->lpComment);
    copy->lpProvider = DuplicateText(pResource->lpProvider);
    m_pNetResource = copy.release();
}

// ---- Construction -----------------------------------------------------------

IMPLEMENT_DYNCREATE(CTreeFileCtrl, CTreeCtrl)

CTreeFileCtrl::CTreeFileCtrl() = default;

CTreeFileCtrl::~CTreeFileCtrl()
{
    StopAllMonitors();
    if (m_pDragImage) {
        delete m_pDragImage;
        m_pDragImage = nullptr;
    }
    if (m_pDesktopFolder)
        m_pDesktopFolder->Release();
    if (m_pMalloc)
        m_pMalloc->Release();
}

void CTreeFileCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    if (!m_pDesktopFolder)
        ::SHGetDesktopFolder(&m_pDesktopFolder);
    if (!m_pMalloc)
        ::SHGetMalloc(&m_pMalloc);
    HINSTANCE hRes = AfxGetResourceHandle();
    m_hCopyCursor = ::LoadCursorA(hRes, MAKEINTRESOURCEA(kCopyCursor));
    m_hCopyNoDropCursor = ::LoadCursorA(hRes, MAKEINTRESOURCEA(kCopyNoDropCursor));
    m_hNoDropCursor = ::LoadCursorA(hRes, MAKEINTRESOURCEA(kNoDropCursor));
    m_hArrowCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));   // IDC_ARROW
    // A host without the deliverable's cursors still shows the drag state.
    if (!m_hNoDropCursor)
        m_hNoDropCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32648));   // IDC_NO
    if (!m_hCopyNoDropCursor)
        m_hCopyNoDropCursor = m_hNoDropCursor;
    if (!m_hCopyCursor)
        m_hCopyCursor = m_hArrowCursor;
}

// ---- Settings -----------------------------------------------------------------

void CTreeFileCtrl::SetShowFiles(BOOL bFiles)
{
    m_bShowFiles = bFiles;
    Refresh();
}

#ifndef TAVRIX_KVLIB_FLAVOUR
void CTreeFileCtrl::SetShowNetwork(BOOL bNetwork)
{
    m_bShowNetwork = bNetwork;
    Refresh();
}

void CTreeFileCtrl::SetShowDesktopRoot(BOOL bShow)
{
    m_bShowDesktopRoot = bShow;
    Refresh();
}

void CTreeFileCtrl::SetShowMyDocuments(BOOL bShow)
{
    m_bShowMyDocuments = bShow;
    Refresh();
}

void CTreeFileCtrl::SetExplorerTheme()
{
    if (m_hWnd)
        ::SetWindowTheme(m_hWnd, L"explorer", nullptr);
}
#else
void CTreeFileCtrl::SetShowMyComputer(BOOL bShow)
{
    m_bShowMyComputer = bShow;
    Refresh();
}
#endif

CString CTreeFileCtrl::GetSelectedPath()
{
    return ItemToPath(GetSelectedItem());
}

// ---- Item tests -----------------------------------------------------------------

CString CTreeFileCtrl::ItemToPath(HTREEITEM hItem)
{
    CTreeFileCtrlItem* pRecord = GetItemRecord(hItem);
    return pRecord ? pRecord->m_sPath : CString();
}

BOOL CTreeFileCtrl::IsFile(const CString& sPath)
{
    DWORD attributes = Attributes(sPath);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CTreeFileCtrl::IsFileItem(HTREEITEM hItem)
{
    return IsFile(ItemToPath(hItem));
}

BOOL CTreeFileCtrl::IsFolder(const CString& sPath)
{
    return HasAttribute(sPath, FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CTreeFileCtrl::IsFolderItem(HTREEITEM hItem)
{
    return IsFolder(ItemToPath(hItem));
}

BOOL CTreeFileCtrl::IsDriveRoot(const CString& sPath)
{
    return filetree::IsDriveRootText(sPath) ? TRUE : FALSE;
}

BOOL CTreeFileCtrl::IsDriveRootItem(HTREEITEM hItem)
{
    return IsDriveRoot(ItemToPath(hItem));
}

BOOL CTreeFileCtrl::IsCompressed(const CString& sPath)
{
    return !IsDriveRoot(sPath) && HasAttribute(sPath, FILE_ATTRIBUTE_COMPRESSED);
}

BOOL CTreeFileCtrl::IsCompressedItem(HTREEITEM hItem)
{
    return IsCompressed(ItemToPath(hItem));
}

BOOL CTreeFileCtrl::IsEncrypted(const CString& sPath)
{
    return !IsDriveRoot(sPath) && HasAttribute(sPath, FILE_ATTRIBUTE_ENCRYPTED);
}

BOOL CTreeFileCtrl::IsEncryptedItem(HTREEITEM hItem)
{
    return IsEncrypted(ItemToPath(hItem));
}

BOOL CTreeFileCtrl::IsShared(const CString& sPath)
{
    return ShareList::IsShared(sPath);
}

BOOL CTreeFileCtrl::IsRemovableOrCD(const CString& sPath)
{
    if (!IsDriveRoot(sPath))
        return FALSE;
    UINT type = ::GetDriveTypeA(sPath);
    return type == DRIVE_REMOVABLE || type == DRIVE_CDROM;
}

BOOL CTreeFileCtrl::GetVolumeSerial(const CString& sDriveRoot, DWORD& dwSerial)
{
    DWORD maxLength = 0, flags = 0;
    return ::GetVolumeInformationA(sDriveRoot, nullptr, 0, &dwSerial, &maxLength, &flags, nullptr, 0);
}

BOOL CTreeFileCtrl::IsMediaPresent(const CString& sPath)
{
    CString root = IsDriveRoot(sPath) ? sPath : sPath.Left(3);
    if (!IsRemovableOrCD(root))
        return TRUE;
    DWORD serial = 0;
    return GetVolumeSerial(root, serial);
}

BOOL CTreeFileCtrl::ShouldShowFile(const WIN32_FIND_DATAA& found)
{
    return m_bShowFiles && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(found.dwFileAttributes & m_dwFileHideAttributes);
}

BOOL CTreeFileCtrl::ShouldShowFolder(const WIN32_FIND_DATAA& found)
{
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
        return FALSE;
#ifdef TAVRIX_KVLIB_FLAVOUR
    return TRUE;
#else
    return !(found.dwFileAttributes & m_dwFolderHideAttributes);
#endif
}

BOOL CTreeFileCtrl::ShouldShowDrive(const CString& sDriveRoot)
{
    DWORD bit = 0;
    switch (::GetDriveTypeA(sDriveRoot)) {
    case DRIVE_REMOVABLE: bit = 0x01; break;
    case DRIVE_FIXED: bit = 0x02; break;
    case DRIVE_REMOTE: bit = 0x04; break;
    case DRIVE_CDROM: bit = 0x10; break;
    case DRIVE_RAMDISK: bit = 0x20; break;
    default: return TRUE;
    }
    return (m_dwHiddenDriveTypes & bit) == 0;
}

BOOL CTreeFileCtrl::ShouldShowNetworkNode(CTreeFileCtrlItem*)
{
    return TRUE;
}

void CTreeFileCtrl::OnSelectionChanged(NMTREEVIEWA*, const CString&)
{
}

// ---- Icons and names ----------------------------------------------------------------

int CTreeFileCtrl::GetPidlIcon(LPITEMIDLIST pidl)
{
    SHFILEINFOA info = {};
    if (!pidl || !::SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info,
                                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_LINKOVERLAY))
        return -1;
    return info.iIcon;
}

int CTreeFileCtrl::GetPidlSelectedIcon(LPITEMIDLIST pidl)
{
    SHFILEINFOA info = {};
    if (!pidl || !::SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info,
                                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON))
        return -1;
    return info.iIcon;
}

int CTreeFileCtrl::GetPathIcon(const CString& sPath)
{
    SHFILEINFOA info = {};
    if (!::SHGetFileInfoA(sPath, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        return -1;
    return info.iIcon;
}

int CTreeFileCtrl::GetPathSelectedIcon(const CString& sPath)
{
    SHFILEINFOA info = {};
    if (!::SHGetFileInfoA(sPath, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON))
        return -1;
    return info.iIcon;
}

int CTreeFileCtrl::GetItemIconIndex(HTREEITEM hItem)
{
    int image = 0, selected = 0;
    return hItem && GetItemImage(hItem, image, selected) ? image : -1;
}

int CTreeFileCtrl::GetItemSelectedIconIndex(HTREEITEM hItem)
{
    int image = 0, selected = 0;
    return hItem && GetItemImage(hItem, image, selected) ? selected : -1;
}

CString CTreeFileCtrl::GetShellDisplayName(const CString& sPath)
{
    if (!m_pDesktopFolder || sPath.IsEmpty())
        return sPath;
    int n = ::MultiByteToWideChar(CP_ACP, 0, sPath, -1, nullptr, 0);
    std::unique_ptr<wchar_t[]> wide(new wchar_t[static_cast<size_t>(n > 0 ? n : 1)]);
    wide[0] = 0;
    ::MultiByteToWideChar(CP_ACP, 0, sPath, -1, wide.get(), n);
    LPITEMIDLIST pidl = nullptr;
    ULONG eaten = 0;
    if (FAILED(m_pDesktopFolder->ParseDisplayName(nullptr, nullptr, wide.get(), &eaten, &pidl, nullptr)) || !pidl)
        return sPath;
    CString name = sPath;
    SHFILEINFOA info = {};
    if (::SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME))
        name = info.szDisplayName;
    ::CoTaskMemFree(pidl);
    return name;
}

// ---- Nodes -------------------------------------------------------------------------

BOOL CTreeFileCtrl::HasChildrenToShow(const CString& sPath)
{
    if (IsRemovableOrCD(sPath))
        return TRUE;   // no disk is touched to draw the button
    CString base = sPath;
    if (base.Right(1) != "\\")
        base += '\\';
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(base + "*.*", &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        BOOL any = FALSE;
        do {
            any = ShouldShowFolder(found);
        } while (!any && ::FindNextFileA(hFind, &found));
        ::FindClose(hFind);
        if (any)
            return TRUE;
    }
    if (!m_bShowFiles)
        return FALSE;
    hFind = ::FindFirstFileA(base + m_sFileFilter, &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL any = FALSE;
    do {
        any = ShouldShowFile(found);
    } while (!any && ::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
    return any;
}

BOOL CTreeFileCtrl::HasChildNamed(HTREEITEM hItem, const CString& sText)
{
    for (HTREEITEM hChild = FirstChild(hItem); hChild; hChild = GetNextSiblingItem(hChild)) {
        if (GetItemText(hChild).CompareNoCase(sText) == 0)
            return TRUE;
    }
    return FALSE;
}

HTREEITEM CTreeFileCtrl::FindChildByName(HTREEITEM hItem, const CString& sName)
{
    for (HTREEITEM hChild = FirstChild(hItem); hChild; hChild = GetNextSiblingItem(hChild)) {
        CTreeFileCtrlItem* pRecord = GetItemRecord(hChild);
        if (pRecord && pRecord->m_sName.CompareNoCase(sName) == 0)
            return hChild;
    }
    return nullptr;
}

HTREEITEM CTreeFileCtrl::InsertNode(HTREEITEM hParent, CTreeFileCtrlItem* pItem, BOOL bShared, int nIcon,
                                    int nSelIcon, BOOL bCheckForChildren)
{
    std::unique_ptr<CTreeFileCtrlItem> record(pItem);
    if (!m_hWnd || !pItem)
        return nullptr;
    CString text;
    if (m_bShowDriveLabels && IsDriveRoot(pItem->m_sPath)) {
        text = GetShellDisplayName(pItem->m_sPath);
    } else {
        text = pItem->m_sName;
        pItem->m_bExtensionHidden = FALSE;
        // Only records listed as files are files: no disk access per item.
        if (pItem->m_bFile) {
            if (m_nExtensionMode == 0) {
                text = filetree::StripExtension(pItem->m_sName);
                pItem->m_bExtensionHidden = text != pItem->m_sName;
            } else if (m_nExtensionMode == 2) {
                char title[MAX_PATH] = {};
                if (::GetFileTitleA(pItem->m_sName, title, MAX_PATH) == 0) {
                    text = title;
                    pItem->m_bExtensionHidden = text.CompareNoCase(pItem->m_sName) != 0;
                }
            }
        }
    }
    // A file never has children: its check needs no look at the disk.
    int children = 1;
    if (bCheckForChildren)
        children = pItem->m_bFile ? 0 : (HasChildrenToShow(pItem->m_sPath) ? 1 : 0);

    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    tvis.item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(text));
    tvis.item.iImage = nIcon;
    tvis.item.iSelectedImage = nSelIcon;
    tvis.item.lParam = reinterpret_cast<LPARAM>(pItem);
    tvis.item.cChildren = children;
    if (bShared) {
        tvis.item.mask |= TVIF_STATE;
        tvis.item.state = INDEXTOOVERLAYMASK(1);
        tvis.item.stateMask = TVIS_OVERLAYMASK;
    }
    HTREEITEM hItem = InsertItem(&tvis);
    if (hItem)
        record.release();   // the item owns it now; its deletion frees it
    return hItem;
}

HTREEITEM CTreeFileCtrl::CopyItem(HTREEITEM hItem, HTREEITEM hNewParent, HTREEITEM hAfter)
{
    TVITEMA item = {};
    char text[MAX_PATH * 2] = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM | TVIF_STATE;
    item.stateMask = TVIS_OVERLAYMASK;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!GetItem(&item))
        return nullptr;
    CTreeFileCtrlItem* pOld = reinterpret_cast<CTreeFileCtrlItem*>(item.lParam);
    std::unique_ptr<CTreeFileCtrlItem> copy(pOld ? new CTreeFileCtrlItem(*pOld) : nullptr);
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hNewParent;
    tvis.hInsertAfter = hAfter;
    tvis.item = item;
    tvis.item.mask &= ~TVIF_HANDLE;
    tvis.item.hItem = nullptr;
    tvis.item.lParam = reinterpret_cast<LPARAM>(copy.get());
    HTREEITEM hNew = InsertItem(&tvis);
    if (hNew)
        copy.release();
    return hNew;
}

HTREEITEM CTreeFileCtrl::CopyBranch(HTREEITEM hBranch, HTREEITEM hNewParent, HTREEITEM hAfter)
{
    HTREEITEM hNew = CopyItem(hBranch, hNewParent, hAfter);
    if (!hNew)
        return nullptr;
    for (HTREEITEM hChild = GetChildItem(hBranch); hChild; hChild = GetNextSiblingItem(hChild))
        CopyBranch(hChild, hNew, TVI_LAST);
    return hNew;
}

void CTreeFileCtrl::AttachSystemImageList()
{
    HIMAGELIST list = SystemImageList::Acquire();
    if (m_hWnd && list)
        TreeView_SetImageList(m_hWnd, list, TVSIL_NORMAL);
    Refresh();
}

// ---- Helpers -----------------------------------------------------------------------

HTREEITEM CTreeFileCtrl::TopItem() const
{
#ifdef TAVRIX_KVLIB_FLAVOUR
    return TVI_ROOT;
#else
    return m_hRoot;
#endif
}

HTREEITEM CTreeFileCtrl::FirstChild(HTREEITEM hItem) const
{
    return hItem == TVI_ROOT || !hItem ? GetRootItem() : GetChildItem(hItem);
}

void CTreeFileCtrl::DeleteChildren(HTREEITEM hItem)
{
    HTREEITEM hChild = FirstChild(hItem);
    while (hChild) {
        HTREEITEM hNext = GetNextSiblingItem(hChild);
        DeleteItem(hChild);
        hChild = hNext;
    }
}

void CTreeFileCtrl::SetChildrenCount(HTREEITEM hItem, int nChildren)
{
    if (!hItem || hItem == TVI_ROOT)
        return;
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    item.cChildren = nChildren;
    SetItem(&item);
}

BOOL CTreeFileCtrl::IsNetworkItem(HTREEITEM hItem)
{
    CTreeFileCtrlItem* pRecord = GetItemRecord(hItem);
    return pRecord && pRecord->m_bNetwork;
}
