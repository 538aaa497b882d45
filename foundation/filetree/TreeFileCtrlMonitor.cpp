// Folder-change watches: one thread per watched folder waits on the
// platform's change notification and posts to the control's window, which
// lists the folder again on its own thread.
#include "foundation/filetree/TreeFileCtrl.h"

#include <vector>

#include "framework/win/CWinThread.h"

// What a watch thread reads: set before it starts, never changed after. The
// thread keeps its own reference, so it touches nothing of the control.
struct TreeFileWatchState
{
    CString folder;
    HWND hWnd = nullptr;
    UINT_PTR id = 0;
    HANDLE hChange = INVALID_HANDLE_VALUE;   // armed before the thread starts
    HANDLE hStop = nullptr;

    ~TreeFileWatchState()
    {
        if (hChange != INVALID_HANDLE_VALUE)
            ::FindCloseChangeNotification(hChange);
        if (hStop)
            ::CloseHandle(hStop);
    }
};

namespace {

// How long stopping waits for a watch thread. The thread waits only on its
// stop event and its notification, so it ends at once; a thread that does
// not is left to end on its own (it holds its own state).
const DWORD kJoinMs = 5000;

UINT WatchThread(LPVOID param)
{
    std::unique_ptr<std::shared_ptr<TreeFileWatchState>> holder(
        static_cast<std::shared_ptr<TreeFileWatchState>*>(param));
    std::shared_ptr<TreeFileWatchState> state = *holder;
    HANDLE hChange = state->hChange;
    HANDLE handles[2] = {hChange, state->hStop};
    for (;;) {
        DWORD wait = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (wait != WAIT_OBJECT_0)
            break;   // stopped, or the wait failed
        // The window decides what a change means; a stopped watch's late
        // notification names an id that is no longer there.
        ::PostMessageA(state->hWnd, CTreeFileCtrl::WM_TREEFILE_CHANGED, state->id, 0);
        if (!::FindNextChangeNotification(hChange))
            break;
    }
    return 0;
}

} // namespace

CTreeFileCtrlMonitor::~CTreeFileCtrlMonitor()
{
    delete m_pThread;
}

BOOL CTreeFileCtrl::CanMonitorDrive(const CString& sPath)
{
    CString root = IsDriveRoot(sPath) ? sPath : sPath.Left(3);
    return !IsRemovableOrCD(root);
}

void CTreeFileCtrl::StartMonitor(const CString& sFolder)
{
    if (!m_hWnd || sFolder.IsEmpty() || m_Monitors.GetSize() >= kMaxMonitors)
        return;
    std::unique_ptr<CTreeFileCtrlMonitor> monitor(new CTreeFileCtrlMonitor);
    monitor->m_sFolder = sFolder;
    if (monitor->m_sFolder.Right(1) != "\\")
        monitor->m_sFolder += '\\';
    monitor->m_pTree = this;
    monitor->m_nId = m_nNextMonitorId++;

    auto state = std::make_shared<TreeFileWatchState>();
    state->folder = monitor->m_sFolder;
    state->hWnd = m_hWnd;
    state->id = monitor->m_nId;
    // The notification is armed here, so no change after StartMonitor
    // returns is missed while the idle thread has not run yet.
    DWORD filter = FILE_NOTIFY_CHANGE_DIR_NAME | (m_bShowFiles ? FILE_NOTIFY_CHANGE_FILE_NAME : 0);
    state->hChange = ::FindFirstChangeNotificationA(monitor->m_sFolder, TRUE, filter);
    if (state->hChange == INVALID_HANDLE_VALUE)
        return;
    state->hStop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!state->hStop)
        return;
    monitor->m_hStopEvent = state->hStop;
    monitor->m_pState = state;

    std::unique_ptr<std::shared_ptr<TreeFileWatchState>> param(new std::shared_ptr<TreeFileWatchState>(state));
    CWinThread* pThread = AfxBeginThread(&WatchThread, param.get(), THREAD_PRIORITY_IDLE, 0, CREATE_SUSPENDED);
    if (!pThread)
        return;
    param.release();   // the thread owns it now
    pThread->m_bAutoDelete = FALSE;
    monitor->m_pThread = pThread;
    m_Monitors.Add(monitor.release());
    pThread->ResumeThread();
}

void CTreeFileCtrl::DestroyMonitor(INT_PTR nIndex, DWORD dwJoinMs)
{
    CTreeFileCtrlMonitor* pMonitor = m_Monitors[nIndex];
    m_Monitors.RemoveAt(nIndex);
    if (pMonitor->m_hStopEvent)
        ::SetEvent(pMonitor->m_hStopEvent);
    if (pMonitor->m_pThread && dwJoinMs)
        ::WaitForSingleObject(pMonitor->m_pThread->m_hThread, dwJoinMs);
    delete pMonitor;
}

int CTreeFileCtrl::StopMonitor(const CString& sFolder)
{
    CString folder = sFolder;
    if (folder.Right(1) != "\\")
        folder += '\\';
    for (INT_PTR i = 0; i < m_Monitors.GetSize(); ++i) {
        if (m_Monitors[i]->m_sFolder.CompareNoCase(folder) == 0) {
            DestroyMonitor(i, kJoinMs);
            break;
        }
    }
    return static_cast<int>(m_Monitors.GetSize());
}

void CTreeFileCtrl::StopAllMonitors()
{
    if (m_Monitors.GetSize() == 0)
        return;
    std::vector<HANDLE> threads;
    for (INT_PTR i = 0; i < m_Monitors.GetSize(); ++i) {
        CTreeFileCtrlMonitor* pMonitor = m_Monitors[i];
        if (pMonitor->m_hStopEvent)
            ::SetEvent(pMonitor->m_hStopEvent);
        if (pMonitor->m_pThread && pMonitor->m_pThread->m_hThread)
            threads.push_back(pMonitor->m_pThread->m_hThread);
    }
    // StartMonitor keeps the count within what one wait can hold.
    if (!threads.empty())
        ::WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, kJoinMs);
    for (INT_PTR i = 0; i < m_Monitors.GetSize(); ++i)
        delete m_Monitors[i];
    m_Monitors.RemoveAll();
}

CTreeFileCtrlMonitor* CTreeFileCtrl::FindMonitor(UINT_PTR nId)
{
    for (INT_PTR i = 0; i < m_Monitors.GetSize(); ++i) {
        if (m_Monitors[i]->m_nId == nId)
            return m_Monitors[i];
    }
    return nullptr;
}

LRESULT CTreeFileCtrl::OnChange(WPARAM wParam, LPARAM)
{
    CTreeFileCtrlMonitor* pMonitor = FindMonitor(static_cast<UINT_PTR>(wParam));
    if (!pMonitor)
        return 0;   // a stopped watch's late notification
    if (!m_bMonitorChanges) {
        // Unwatched changes end the watch without touching the tree.
        for (INT_PTR i = 0; i < m_Monitors.GetSize(); ++i) {
            if (m_Monitors[i] == pMonitor) {
                DestroyMonitor(i, kJoinMs);
                break;
            }
        }
        return 0;
    }
    CString folder = pMonitor->m_sFolder;
    SetRedraw(FALSE);
    HTREEITEM hSelected = GetSelectedItem();
    CString selectedPath = ItemToPath(hSelected);
    BOOL wasExpanded = hSelected && (GetItemState(hSelected, TVIS_EXPANDED) & TVIS_EXPANDED);

    CString listPath = folder;
    if (listPath.GetLength() > 3 && listPath.Right(1) == "\\")
        listPath = listPath.Left(listPath.GetLength() - 1);
    HTREEITEM hFolder = nullptr;
    CString root = m_sRootFolder;
    if (!root.IsEmpty() && root.Right(1) == "\\")
        root = root.Left(root.GetLength() - 1);
    BOOL isRoot = !root.IsEmpty() && listPath.CompareNoCase(root) == 0;
    if (isRoot)
        hFolder = m_bShowRootFolderItem ? m_hRootFolderItem : TVI_ROOT;
    else
        hFolder = PathToItem(listPath);
    BOOL holding = m_bHoldSelectionHistory;
    m_bHoldSelectionHistory = TRUE;
    if (hFolder)
        PopulateFolder(isRoot ? m_sRootFolder : listPath, hFolder, TRUE);
    if (!selectedPath.IsEmpty())
        SelectPath(selectedPath, wasExpanded);
    m_bHoldSelectionHistory = holding;
    SetRedraw(TRUE);
    return 0;
}
