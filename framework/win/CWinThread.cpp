#include "framework/win/CWinThread.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CObject)

namespace {
thread_local CWinThread* t_currentThread = nullptr;
}

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param)
    : m_pfnThreadProc(proc), m_pThreadParams(param)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD, UINT stackSize, LPSECURITY_ATTRIBUTES security)
{
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(security, stackSize, &CWinThread::ThreadEntry, this,
                                      CREATE_SUSPENDED, &id);
    if (handle == 0)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = id;
    return TRUE;
}

unsigned __stdcall CWinThread::ThreadEntry(void* self)
{
    CWinThread* thread = static_cast<CWinThread*>(self);
    t_currentThread = thread;
    UINT code = thread->m_pfnThreadProc(thread->m_pThreadParams);
    t_currentThread = nullptr;
    if (thread->m_bAutoDelete)
        delete thread;
    return code;
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize,
                           DWORD createFlags, LPSECURITY_ATTRIBUTES security)
{
    if (!proc)
        return nullptr;
    CWinThread* thread = new CWinThread(proc, param);
    if (!thread->CreateThread(CREATE_SUSPENDED, stackSize, security)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if (!(createFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}

CWinThread* AfxGetThread()
{
    return t_currentThread;
}
