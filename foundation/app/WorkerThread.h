// WorkerThread: background jobs on one thread of its own. A job is a Windows
// event and a procedure; each time the owner sets the event, the thread calls
// the procedure with the job's data. Jobs run one after another.
#pragma once

#include <windows.h>

#include <vector>

class WorkerThread
{
public:
    typedef void (*JobProc)(void* data);

    // Construction
    WorkerThread();
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Operations
    // Adds a job before Start. Refused (false) after Start, without an event,
    // or when the list already holds the most one wait can take.
    bool AddHandler(HANDLE hEvent, JobProc pProc, void* data);
    // Creates the thread at the given priority; returns the previous suspend
    // count, as ResumeThread gives it, or (DWORD)-1 when it could not start.
    DWORD Start(int priority);
    // Ends the thread: an idle one at once, one inside a job after 500 ms by
    // termination. False only when termination failed.
    bool Stop();

    // The wait takes at most this many handles, the kill event included.
    enum { MaxEntries = MAXIMUM_WAIT_OBJECTS };

private:
    struct Entry
    {
        HANDLE hEvent;
        JobProc pProc;
        void* data;
    };

    static DWORD WINAPI ThreadProc(LPVOID pProcParam);

    DWORD m_dwThreadId;
    HANDLE m_hThread;
    HANDLE m_hEventKill;
    HANDLE m_hEventIsKilled;
    std::vector<Entry> m_entries;
};
