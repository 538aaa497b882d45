// Threads and waits: AfxBeginThread, CEvent, CMutex, CCriticalSection,
// CSingleLock and CWaitCursor. Every wait has a time-out.
#include "framework/win/CSyncObjects.h"
#include "framework/win/CWaitCursor.h"
#include "framework/win/CWinThread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

const DWORD kTimeout = 10000;

struct Shared
{
    CEvent go;                                  // auto-reset
    CEvent done{FALSE, TRUE};                   // manual reset
    CCriticalSection lock;
    std::atomic<int> runs{0};
    CWinThread* seenThread = nullptr;
    long counter = 0;
};

UINT WaitThenSignal(LPVOID param)
{
    Shared* s = static_cast<Shared*>(param);
    s->seenThread = AfxGetThread();
    if (!s->go.Lock(kTimeout))
        return 2;
    s->runs++;
    s->done.SetEvent();
    return 7;
}

TEST(CWinThread, SuspendedStartWithoutAutoDelete)
{
    Shared s;
    CWinThread* t = AfxBeginThread(WaitThenSignal, &s, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    EXPECT_NE(t->m_nThreadID, 0u);
    EXPECT_EQ(s.runs.load(), 0);
    EXPECT_EQ(t->ResumeThread(), 1u); // the previous suspend count
    EXPECT_EQ(WaitForSingleObject(s.done, 200), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(s.go.SetEvent());
    ASSERT_EQ(WaitForSingleObject(t->m_hThread, kTimeout), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(t->m_hThread, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(s.runs.load(), 1);
    EXPECT_EQ(s.seenThread, t);
    EXPECT_EQ(AfxGetThread(), nullptr);
    delete t; // still ours: auto-delete was off
}

UINT CountUnderLock(LPVOID param)
{
    Shared* s = static_cast<Shared*>(param);
    for (int i = 0; i < 20000; ++i) {
        CSingleLock hold(&s->lock, TRUE);
        long v = s->counter;
        s->counter = v + 1;
    }
    return 0;
}

TEST(CWinThread, AutoDeletingThreadsAndCriticalSection)
{
    Shared s;
    HANDLE handles[4];
    for (HANDLE& h : handles) {
        CWinThread* t = AfxBeginThread(CountUnderLock, &s, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(t, nullptr);
        // Our own handle to wait on: the object closes its own when it goes.
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), t->m_hThread, GetCurrentProcess(), &h, 0,
                                    FALSE, DUPLICATE_SAME_ACCESS));
        t->ResumeThread();
    }
    EXPECT_EQ(WaitForMultipleObjects(4, handles, TRUE, kTimeout), WAIT_OBJECT_0);
    for (HANDLE h : handles)
        CloseHandle(h);
    EXPECT_EQ(s.counter, 80000);
}

TEST(CEvent, AutoAndManualReset)
{
    CEvent autoEvent;
    CEvent manual(FALSE, TRUE);
    CEvent initially(TRUE);
    EXPECT_TRUE(initially.Lock(0));
    EXPECT_FALSE(initially.Lock(0)); // auto-reset: consumed

    EXPECT_FALSE(autoEvent.Lock(0));
    autoEvent.SetEvent();
    EXPECT_TRUE(autoEvent.Lock(0));
    EXPECT_FALSE(autoEvent.Lock(0));

    manual.SetEvent();
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.Lock(0)); // stays set
    manual.ResetEvent();
    EXPECT_FALSE(manual.Lock(0));
}

UINT TryMutex(LPVOID param)
{
    CMutex* m = static_cast<CMutex*>(param);
    CSingleLock lock(m);
    return lock.Lock(0) ? 1 : 0;
}

TEST(CMutex, OwnedAcrossThreadsAndNamed)
{
    CMutex mutex;
    {
        CSingleLock hold(&mutex, TRUE);
        EXPECT_TRUE(hold.IsLocked());
        CWinThread* t = AfxBeginThread(TryMutex, &mutex, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(t, nullptr);
        t->m_bAutoDelete = FALSE;
        t->ResumeThread();
        ASSERT_EQ(WaitForSingleObject(*t, kTimeout), WAIT_OBJECT_0);
        DWORD code = 9;
        GetExitCodeThread(*t, &code);
        EXPECT_EQ(code, 0u); // held by this thread
        delete t;
        EXPECT_TRUE(hold.Unlock());
        EXPECT_FALSE(hold.IsLocked());
    }
    CWinThread* t = AfxBeginThread(TryMutex, &mutex, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(*t, kTimeout), WAIT_OBJECT_0);
    DWORD code = 9;
    GetExitCodeThread(*t, &code);
    EXPECT_EQ(code, 1u); // free once released
    delete t;

    char name[64];
    wsprintfA(name, "TavrixFrameworkTest-%lu", GetCurrentProcessId());
    CMutex first(FALSE, name);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    CMutex second(FALSE, name);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

TEST(CWaitCursor, NestedCursorsRestoreTheFirst)
{
    HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    SetCursor(arrow);
    {
        CWaitCursor outer;
        EXPECT_EQ(GetCursor(), wait);
        EXPECT_EQ(AfxGetWaitCursorCount(), 1);
        {
            CWaitCursor inner;
            EXPECT_EQ(AfxGetWaitCursorCount(), 2);
        }
        EXPECT_EQ(GetCursor(), wait);
        SetCursor(arrow);
        outer.Restore();
        EXPECT_EQ(GetCursor(), wait);
    }
    EXPECT_EQ(AfxGetWaitCursorCount(), 0);
    EXPECT_EQ(GetCursor(), arrow);
}

} // namespace
