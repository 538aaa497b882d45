// The one lock of the library state. Worker threads and the window thread
// both call into the library; every call holds this lock for its length.
// A thread waiting for it keeps answering messages sent to it, so a worker
// that sends to the window thread while holding the lock cannot deadlock
// with a window-thread call waiting here. A mutating call met while another
// mutating call is running (re-entered through the message pump) is refused.
#pragma once

#include "library/state/LibraryState.h"

class LibraryLock
{
public:
    explicit LibraryLock(bool mutating = false);
    ~LibraryLock();
    LibraryLock(const LibraryLock&) = delete;
    LibraryLock& operator=(const LibraryLock&) = delete;

    // A mutating call while another one runs: do nothing, answer failure.
    bool Refused() const { return m_refused; }

    // The library's state, for as long as the lock is held.
    LibraryState& State() const;

private:
    bool m_mutating;
    bool m_refused = false;
};

// Puts value into one member of the library state under the lock and
// answers the member's previous value (the hooks installed from outside:
// file format, random source, dialogs).
template <class T>
T ExchangeLibraryState(T LibraryState::*member, T value)
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    T previous = state.*member;
    state.*member = value;
    return previous;
}
