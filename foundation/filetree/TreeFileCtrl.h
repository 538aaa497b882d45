// CTreeFileCtrl: a tree of the machine's folders and, optionally, files, as
// the shell's explorer tree shows them: Desktop, My Documents, My Computer
// with its drives and the Network, each item with the shell's small icon and
// display name. Items are read lazily: a node's children are listed when it
// is first expanded and dropped again when it collapses.
//
// Classes here: CTreeFileCtrlItem (the record each item carries),
// CTreeFileCtrlMonitor (one folder-change watch), CTreeFileCtrl.
//
// KVLib builds it with TAVRIX_KVLIB_FLAVOUR defined: no Desktop root and no
// My Documents node (so no m_hRoot, m_sMyDocumentsPath, m_hMyDocumentsItem,
// m_bShowDesktopRoot, m_bShowMyDocuments, PopulateTopLevel), no folder hide
// attributes (hidden and system folders are listed), the setters
// SetShowFiles and SetShowMyComputer only, and its own cursor ids.
//
// The code is split by concern: TreeFileCtrl.cpp (settings, records, node
// insertion, item tests), TreeFileCtrlFill.cpp (filling and path walks),
// TreeFileCtrlOps.cpp (commands, keys, renaming, deleting, history, colours,
// dragging), TreeFileCtrlMonitor.cpp (folder-change watches) and
// ShellLists.cpp (the shared system image list and share list).
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <winnetwk.h>

#include <memory>

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "framework/ui/CTreeCtrl.h"

class CImageList;
class CWinThread;
class CTreeFileCtrl;

// The record every tree item carries as its item data; the item owns it.
class CTreeFileCtrlItem
{
public:
    CTreeFileCtrlItem();
    CTreeFileCtrlItem(const CTreeFileCtrlItem& other);
    CTreeFileCtrlItem& operator=(const CTreeFileCtrlItem& other);
    ~CTreeFileCtrlItem();

    // How many records exist in the process (every tree together): what a
    // collapse or a rebuild frees shows here.
    static long LiveCount();

    // Gives the record an owned copy of a network resource (its strings too).
    void SetNetResource(const NETRESOURCEA* pResource);

    CString m_sPath;                          // C:\Music, C:\, \\SERVER\SHARE; empty for My Computer
    CString m_sName;                          // the name the item is found by
    NETRESOURCEA* m_pNetResource = nullptr;   // owned copy for network items
    BOOL m_bNetwork = FALSE;
    BOOL m_bExtensionHidden = FALSE;
    BOOL m_bFile = FALSE;
};

// What a watch thread shares with its record; it outlives whichever of the
// two goes last, so a thread that has not ended yet touches nothing freed.
struct TreeFileWatchState;

// One folder-change watch: its folder, thread and stop event.
class CTreeFileCtrlMonitor
{
public:
    CTreeFileCtrlMonitor() = default;
    CTreeFileCtrlMonitor(const CTreeFileCtrlMonitor&) = delete;
    CTreeFileCtrlMonitor& operator=(const CTreeFileCtrlMonitor&) = delete;
    ~CTreeFileCtrlMonitor();

    CString m_sFolder;                 // always ends in '\'
    CWinThread* m_pThread = nullptr;   // owned (not deleted when the thread ends)
    CTreeFileCtrl* m_pTree = nullptr;
    UINT_PTR m_nId = 0;                // names the watch in its notifications; never reused
    HANDLE m_hStopEvent = nullptr;     // manual reset; owned by the shared state
    std::shared_ptr<TreeFileWatchState> m_pState;
};

class CTreeFileCtrl : public CTreeCtrl
{
    DECLARE_DYNCREATE(CTreeFileCtrl)
public:
    // The control's own commands (posted by its keys; usable by menus).
    enum
    {
        ID_TREEFILE_PROPERTIES = 0,
        ID_TREEFILE_RENAME = 1,
        ID_TREEFILE_OPEN = 2,
        ID_TREEFILE_DELETE = 3,
        ID_TREEFILE_REFRESH = 4,
        ID_TREEFILE_UP = 5,
        ID_TREEFILE_BACK = 6,
        ID_TREEFILE_FORWARD = 7,
    };
    // Posted by a watch thread: wParam names the watch, lParam is 0.
    static constexpr UINT WM_TREEFILE_CHANGED = WM_USER;
    // The most watches at once: one wait must hold all their threads.
    static constexpr int kMaxMonitors = MAXIMUM_WAIT_OBJECTS;

    // Construction
    CTreeFileCtrl();
    ~CTreeFileCtrl() override;

    // Settings (public; embedders write them directly)
    CString m_sRootFolder;
#ifndef TAVRIX_KVLIB_FLAVOUR
    CString m_sMyDocumentsPath;
#endif
    BOOL m_bShowFiles = TRUE;
#ifndef TAVRIX_KVLIB_FLAVOUR
    HTREEITEM m_hRoot = TVI_ROOT;
#endif
    HTREEITEM m_hDragItem = nullptr;
    HTREEITEM m_hDropTarget = nullptr;
    HTREEITEM m_hNetworkItem = nullptr;
#ifndef TAVRIX_KVLIB_FLAVOUR
    HTREEITEM m_hMyDocumentsItem = nullptr;
#endif
    HTREEITEM m_hMyComputerItem = nullptr;
    HTREEITEM m_hRootFolderItem = nullptr;
    BOOL m_bShowMyComputer = TRUE;
#ifndef TAVRIX_KVLIB_FLAVOUR
    BOOL m_bShowDesktopRoot = TRUE;
    BOOL m_bShowMyDocuments = TRUE;
#endif
    CImageList* m_pDragImage = nullptr;
    UINT_PTR m_nDragTimer = 0;
    HCURSOR m_hCopyCursor = nullptr;
    HCURSOR m_hCopyNoDropCursor = nullptr;
    HCURSOR m_hArrowCursor = nullptr;
    HCURSOR m_hNoDropCursor = nullptr;
    int m_nExpandHoverCount = 0;
    BOOL m_bAllowDragDrop = FALSE;
    BOOL m_bAllowRename = FALSE;
    BOOL m_bAllowOpen = TRUE;
    BOOL m_bAllowProperties = TRUE;
    BOOL m_bAllowDelete = FALSE;
    DWORD m_dwHiddenDriveTypes = 0;
    DWORD m_dwFileHideAttributes = 0x1106;
#ifndef TAVRIX_KVLIB_FLAVOUR
    DWORD m_dwFolderHideAttributes = 0x1106;
#endif
    CString m_sFileFilter = "*.*";
    COLORREF m_crCompressed = RGB(0, 0, 255);
    BOOL m_bShowCompressedColour = TRUE;
    COLORREF m_crEncrypted = RGB(255, 0, 0);
    BOOL m_bShowEncryptedColour = TRUE;
    CArray<HTREEITEM, HTREEITEM> m_BackItems;
    CArray<HTREEITEM, HTREEITEM> m_ForwardItems;
    int m_nMaxHistory = 20;
    BOOL m_bInHistoryNavigation = FALSE;
    CArray<CTreeFileCtrlMonitor*, CTreeFileCtrlMonitor*> m_Monitors;
    BOOL m_bMonitorChanges = FALSE;
    BOOL m_bShowNetwork = TRUE;
    BOOL m_bShowSharedOverlay = TRUE;
    int m_nExtensionMode = 2;
    IMalloc* m_pMalloc = nullptr;
    IShellFolder* m_pDesktopFolder = nullptr;
    DWORD m_dwNetResourceType = 0;
    BOOL m_bShowDriveLabels = TRUE;
    BOOL m_bShowRootFolderItem = FALSE;

    // Setters (each refreshes)
    void SetShowFiles(BOOL bFiles);
#ifndef TAVRIX_KVLIB_FLAVOUR
    void SetShowNetwork(BOOL bNetwork);
    void SetShowDesktopRoot(BOOL bShow);
    void SetShowMyDocuments(BOOL bShow);
    void SetExplorerTheme();
#else
    void SetShowMyComputer(BOOL bShow);
#endif

    // Operations
    CString GetSelectedPath();
    HTREEITEM SelectPath(const CString& sPath, BOOL bExpand = FALSE);
    void EndDrag(BOOL bCancel);

    // The record of an item (null for none).
    CTreeFileCtrlItem* GetItemRecord(HTREEITEM hItem) const
    {
        return hItem ? reinterpret_cast<CTreeFileCtrlItem*>(GetItemData(hItem)) : nullptr;
    }

    // Overridables
    virtual CString ItemToPath(HTREEITEM hItem);
    virtual HTREEITEM PathToItem(const CString& sPath);
    virtual BOOL IsFile(const CString& sPath);
    virtual BOOL IsFileItem(HTREEITEM hItem);
    virtual BOOL IsFolder(const CString& sPath);
    virtual BOOL IsFolderItem(HTREEITEM hItem);
    virtual BOOL IsDriveRoot(const CString& sPath);
    virtual BOOL IsDriveRootItem(HTREEITEM hItem);
    virtual BOOL IsCompressed(const CString& sPath);
    virtual BOOL IsCompressedItem(HTREEITEM hItem);
    virtual BOOL IsEncrypted(const CString& sPath);
    virtual BOOL IsEncryptedItem(HTREEITEM hItem);
    virtual BOOL IsShared(const CString& sPath);
    virtual BOOL RenameItem(HTREEITEM hItem);
    virtual BOOL ShowItemProperties(HTREEITEM hItem);
    virtual BOOL DeleteItemFile(HTREEITEM hItem);
    virtual BOOL OpenItem(HTREEITEM hItem);
    virtual void AttachSystemImageList();
    virtual void GoUp();
    virtual void Refresh();
    virtual BOOL GoBack();
    virtual BOOL CanGoBack();
    virtual BOOL GoForward();
    virtual BOOL CanGoForward();
    virtual int GetMaxHistory();
    virtual void SetMaxHistory(int nMaxHistory);
    virtual void PopulateFolder(const CString& sPath, HTREEITEM hParent, BOOL bRedraw);
    virtual void PopulateDrives(HTREEITEM hParent, BOOL bRedraw);
    virtual int GetPidlIcon(LPITEMIDLIST pidl);
    virtual int GetItemIconIndex(HTREEITEM hItem);
    virtual int GetPathIcon(const CString& sPath);
    virtual int GetPidlSelectedIcon(LPITEMIDLIST pidl);
    virtual int GetItemSelectedIconIndex(HTREEITEM hItem);
    virtual int GetPathSelectedIcon(const CString& sPath);
    virtual BOOL HasChildrenToShow(const CString& sPath);
    virtual BOOL HasChildNamed(HTREEITEM hItem, const CString& sText);
    virtual HTREEITEM InsertNode(HTREEITEM hParent, CTreeFileCtrlItem* pItem, BOOL bShared, int nIcon,
                                 int nSelIcon, BOOL bCheckForChildren);
    virtual HTREEITEM FindChildByName(HTREEITEM hItem, const CString& sName);
    virtual BOOL IsRemovableOrCD(const CString& sPath);
    virtual BOOL CanDragItem(HTREEITEM hItem);
    virtual HTREEITEM CanDropOn(HTREEITEM hItem);
    virtual HTREEITEM CopyItem(HTREEITEM hItem, HTREEITEM hNewParent, HTREEITEM hAfter = TVI_LAST);
    virtual HTREEITEM CopyBranch(HTREEITEM hBranch, HTREEITEM hNewParent, HTREEITEM hAfter = TVI_LAST);
    virtual BOOL ShouldShowFile(const WIN32_FIND_DATAA& found);
    virtual BOOL ShouldShowFolder(const WIN32_FIND_DATAA& found);
    virtual BOOL ShouldShowDrive(const CString& sDriveRoot);
    virtual BOOL ShouldShowNetworkNode(CTreeFileCtrlItem* pItem);
    virtual BOOL CanMonitorDrive(const CString& sPath);
    virtual void StartMonitor(const CString& sFolder);
    virtual void StopAllMonitors();
    virtual int StopMonitor(const CString& sFolder);
    virtual BOOL GetVolumeSerial(const CString& sDriveRoot, DWORD& dwSerial);
    virtual BOOL IsMediaPresent(const CString& sPath);
    virtual void OnSelectionChanged(NMTREEVIEWA* pNMTreeView, const CString& sPath);
    virtual BOOL PopulateNetwork(HTREEITEM hParent);
    virtual CString GetShellDisplayName(const CString& sPath);
#ifndef TAVRIX_KVLIB_FLAVOUR
    virtual void PopulateTopLevel();
#endif

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Implementation
protected:
    void PreSubclassWindow() override;

    // Message handlers
    void OnDestroy();                                       // ON_WM_DESTROY
    void OnTimer(UINT_PTR nIDEvent);                        // ON_WM_TIMER
    void OnMouseMove(UINT nFlags, CPoint point);            // ON_WM_MOUSEMOVE
    void OnLButtonUp(UINT nFlags, CPoint point);            // ON_WM_LBUTTONUP
    void OnContextMenu(CWnd* pWnd, CPoint point);           // ON_WM_CONTEXTMENU
    void OnInitMenuPopup(CMenu* pPopup, UINT nIndex, BOOL bSysMenu);   // ON_WM_INITMENUPOPUP
    LRESULT OnChange(WPARAM wParam, LPARAM lParam);         // ON_MESSAGE(WM_TREEFILE_CHANGED)

    // Reflected notifications
    void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);

    // Commands and their update rules
    void OnProperties();
    void OnRename();
    void OnOpen();
    void OnDelete();
    void OnRefresh();
    void OnUp();
    void OnBack();
    void OnForward();
    void OnUpdateProperties(CCmdUI* pCmdUI);
    void OnUpdateRename(CCmdUI* pCmdUI);
    void OnUpdateOpen(CCmdUI* pCmdUI);
    void OnUpdateDelete(CCmdUI* pCmdUI);
    void OnUpdateUp(CCmdUI* pCmdUI);
    void OnUpdateBack(CCmdUI* pCmdUI);
    void OnUpdateForward(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM TopItem() const;
    HTREEITEM FirstChild(HTREEITEM hItem) const;
    void DeleteChildren(HTREEITEM hItem);
    void SetChildrenCount(HTREEITEM hItem, int nChildren);
    void InsertSpecialFolder(int nFolder, HTREEITEM hParent, HTREEITEM* phItem, BOOL bNetwork,
                             CString* pFolderPath);
    void PopulateFolderLevel(const CString& sPath, HTREEITEM hParent);
    BOOL ExpandItem(HTREEITEM hItem);
    BOOL ExpandForWalk(HTREEITEM hItem);
    BOOL ItemExists(HTREEITEM hItem) const;
    HTREEITEM FindServerParent(HTREEITEM hItem);
    HTREEITEM Walk(const CString& sPath, BOOL bSelect, BOOL bExpand);
    BOOL IsItemStillValid(HTREEITEM hItem);
    void ForgetHistoryItem(HTREEITEM hItem);
    void PushHistory(CArray<HTREEITEM, HTREEITEM>& list, HTREEITEM hItem);
    void StepHistory(CArray<HTREEITEM, HTREEITEM>& from, CArray<HTREEITEM, HTREEITEM>& to);
    void InsertComputerAndNetwork(HTREEITEM hParent);
    void DeleteAllNodes();
    CTreeFileCtrlMonitor* FindMonitor(UINT_PTR nId);
    void DestroyMonitor(INT_PTR nIndex, DWORD dwJoinMs);
    BOOL RunFileOperation(SHFILEOPSTRUCTA& op);
    BOOL RunVerb(HTREEITEM hItem, LPCSTR lpszVerb);
    BOOL HasParentSelection(HTREEITEM* phParent = nullptr);
    BOOL IsNetworkItem(HTREEITEM hItem);
    BOOL CanShowOrOpen(HTREEITEM hItem);

    UINT_PTR m_nNextMonitorId = 1;
    HTREEITEM m_hListing = nullptr;     // the item being listed (nested notifications skip it)
    BOOL m_bInCollapse = FALSE;
    HTREEITEM m_hEditItem = nullptr;    // the item whose label is being edited
    BOOL m_bHoldSelectionHistory = FALSE;
    HTREEITEM m_hLastSelected = nullptr;
};
