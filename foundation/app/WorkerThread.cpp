#include "foundation/app/WorkerThread.h"

#include <cstdio>

namespace {

const char kSourceFile[] = "WorkerThread.cpp";
const DWORD kStopTimeoutMs = 500;

// Reports a broken precondition to the debugger's output and lets the caller
// refuse the call.
bool CheckPrecondition(bool holds, const char* expression, int line)
{
    if (!holds) {
        char text[256];
        std::snprintf(text, sizeof(text), "%s(%d): assertion failed: %s\n", kSourceFile, line, expression);
        OutputDebugStringA(text);
    }
    return holds;
}

#define WORKER_CHECK(expr) CheckPrecondition((expr) ? true : false, #expr, __LINE__)

} // namespace

WorkerThread::WorkerThread()
    : m_dwThreadId(0), m_hThread(nullptr), m_hEventKill(nullptr), m_hEventIsKilled(nullptr)
{
    m_hEventKill = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    WORKER_CHECK(m_hEventKill);
    m_hEventIsKilled = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    WORKER_CHECK(m_hEventIsKilled);
    m_entries.push_back(Entry{m_hEventKill, nullptr, nullptr});
}

WorkerThread::~WorkerThread()
{
    Stop();
    if (m_hEventKill)
        CloseHandle(m_hEventKill);
    if (m_hEventIsKilled)
        CloseHandle(m_hEventIsKilled);
}

bool WorkerThread::AddHandler(HANDLE hEvent, JobProc pProc, void* data)
{
    if (!WORKER_CHECK(!m_hThread || hEvent || pProc))
        return false;
    // The running thread reads the list; it must not change under it.
    if (m_hThread)
        return false;
    // An entry without an event would make every wait fail.
    if (!hEvent)
        return false;
    if (m_entries.size() >= MaxEntries)
        return false;
    m_entries.push_back(Entry{hEvent, pProc, data});
    return true;
}

DWORD WorkerThread::Start(int priority)
{
    if (!WORKER_CHECK(!m_hThread))
        return static_cast<DWORD>(-1);
    m_hThread = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &m_dwThreadId);
    if (!WORKER_CHECK(m_hThread))
        return static_cast<DWORD>(-1);
    SetThreadPriority(m_hThread, priority);
    return ResumeThread(m_hThread);
}

bool WorkerThread::Stop()
{
    if (!m_hThread)
        return true;

    // Let the thread reach its wait and see the kill event quickly.
    SetThreadPriority(m_hThread, THREAD_PRIORITY_TIME_CRITICAL);
    SetEvent(m_hEventKill);

    if (WaitForSingleObject(m_hEventIsKilled, kStopTimeoutMs) != WAIT_OBJECT_0) {
        // Still inside a job: give it up where it is.
        DWORD exitCode = 0;
        if (!GetExitCodeThread(m_hThread, &exitCode))
            return false;
        if (!TerminateThread(m_hThread, exitCode))
            return false;
    }

    CloseHandle(m_hThread);
    m_hThread = nullptr;
    return true;
}

DWORD WINAPI WorkerThread::ThreadProc(LPVOID pProcParam)
{
    if (!WORKER_CHECK(pProcParam))
        return 0;
    WorkerThread* self = static_cast<WorkerThread*>(pProcParam);

    const DWORD count = static_cast<DWORD>(self->m_entries.size());
    HANDLE* handles = new HANDLE[count];
    for (DWORD i = 0; i < count; ++i)
        handles[i] = self->m_entries[i].hEvent;

    for (;;) {
        DWORD result = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
        // A failed wait or an abandoned mutex names no job to run: the loop
        // ends as on the kill event.
        if (result < WAIT_OBJECT_0 + 1 || result >= WAIT_OBJECT_0 + count)
            break;
        const Entry& entry = self->m_entries[result - WAIT_OBJECT_0];
        if (entry.pProc)
            entry.pProc(entry.data);
    }

    delete[] handles;
    SetEvent(self->m_hEventIsKilled);
    return 0;
}
