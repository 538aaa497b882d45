// CWinThread and AfxBeginThread: a worker thread running a procedure.
//
// AfxBeginThread(proc, param, priority, 0, CREATE_SUSPENDED) gives a thread
// that has not run yet; set m_bAutoDelete = FALSE there to keep the object
// (and its handle) after the procedure returns, then ResumeThread. With
// m_bAutoDelete left TRUE the object deletes itself when the procedure ends.
#pragma once

#include <windows.h>

#include "framework/core/CObject.h"

typedef UINT (*AFX_THREADPROC)(LPVOID param);

class CWinThread : public CObject
{
    DECLARE_DYNAMIC(CWinThread)
public:
    // Construction
    CWinThread(AFX_THREADPROC proc, LPVOID param);
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    ~CWinThread() override;                  // closes the handle

    // Attributes
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
    operator HANDLE() const { return m_hThread; }

    // Operations
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
    }

    // Creates the thread suspended; the caller resumes it. False on failure.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0,
                      LPSECURITY_ATTRIBUTES security = nullptr);

private:
    static unsigned __stdcall ThreadEntry(void* self);
};

// Starts proc(param) on a new thread; null when it cannot be created.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param,
                           int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                           DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = nullptr);

// The CWinThread running the calling thread, or null for threads that
// AfxBeginThread did not start.
CWinThread* AfxGetThread();
