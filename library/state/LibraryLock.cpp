#include "library/state/LibraryLock.h"

#include "library/file/LibraryFileFormat.h"
#include "library/state/LibraryState.h"

#include <windows.h>

namespace {

struct LockState
{
    CRITICAL_SECTION cs;
    HANDLE released;        // auto-reset: set when the lock is let go while
                            // a thread waits for it
    volatile LONG waiting = 0;  // threads between a failed try and their wait
    int mutating = 0;       // mutating calls running (only the holder changes it)

    LockState()
    {
        InitializeCriticalSection(&cs);
        released = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }
};

LockState& TheLock()
{
    static LockState state;
    return state;
}

void Acquire(LockState& s)
{
    while (!TryEnterCriticalSection(&s.cs)) {
        // Counted before the second try: a holder letting go after that try
        // sees the count and sets the event; one letting go before it lets
        // the try succeed. Setting an event costs a trip to the system, so
        // the usual uncontended release skips it.
        InterlockedIncrement(&s.waiting);
        if (TryEnterCriticalSection(&s.cs)) {
            InterlockedDecrement(&s.waiting);
            return;
        }
        // Answer sent messages while waiting; the time-out covers a wake-up
        // taken by another waiter.
        MsgWaitForMultipleObjects(1, &s.released, FALSE, 20, QS_SENDMESSAGE);
        InterlockedDecrement(&s.waiting);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

LibraryState& LibraryLock::State() const
{
    static LibraryState state;
    static const bool formatSet = [] {
        state.format = DefaultLibraryFileFormat();
        return true;
    }();
    (void)formatSet;
    return state;
}

LibraryLock::LibraryLock(bool mutating) : m_mutating(mutating)
{
    LockState& s = TheLock();
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
    LockState& s = TheLock();
    if (m_mutating && !m_refused)
        --s.mutating;
    LeaveCriticalSection(&s.cs);
    if (InterlockedCompareExchange(&s.waiting, 0, 0) > 0)
        SetEvent(s.released);
}
