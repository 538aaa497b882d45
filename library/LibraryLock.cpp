#include "library/LibraryLock.h"

#include <windows.h>

namespace {

struct LockState
{
    CRITICAL_SECTION cs;
    HANDLE released;   // auto-reset: set whenever the lock is let go
    int mutating = 0;  // mutating calls running (only the holder changes it)

    LockState()
    {
        InitializeCriticalSection(&cs);
        released = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }
};

LockState& State()
{
    static LockState state;
    return state;
}

void Acquire(LockState& s)
{
    while (!TryEnterCriticalSection(&s.cs)) {
        // Answer sent messages while waiting; the time-out covers a wake-up
        // taken by another waiter.
        MsgWaitForMultipleObjects(1, &s.released, FALSE, 20, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

LibraryLock::LibraryLock(bool mutating) : m_mutating(mutating)
{
    LockState& s = State();
    Acquire(s);
    if (m_mutating) {
        if (s.mutating > 0)
            m_refused = true;
        else
            ++s.mutating;
    }
}

LibraryLock::~LibraryLock()
{
    LockState& s = State();
    if (m_mutating && !m_refused)
        --s.mutating;
    LeaveCriticalSection(&s.cs);
    SetEvent(s.released);
}
