// WorkerThread on real events and a real thread. Time limits are generous:
// only the 500 ms stop limit separates an idle stop from a termination.
#include "foundation/app/WorkerThread.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const DWORD kJobTimeoutMs = 10000;   // a job never legitimately takes this long

class Event
{
public:
    explicit Event(bool manualReset = false) : m_h(CreateEventA(nullptr, manualReset, FALSE, nullptr)) {}
    ~Event() { CloseHandle(m_h); }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    HANDLE Get() const { return m_h; }
    void Set() const { SetEvent(m_h); }
    bool WaitFor(DWORD ms) const { return WaitForSingleObject(m_h, ms) == WAIT_OBJECT_0; }

private:
    HANDLE m_h;
};

DWORD ElapsedSince(ULONGLONG start) { return static_cast<DWORD>(GetTickCount64() - start); }

// A job that records its number and signals that it ran.
struct RecordingJob
{
    int number = 0;
    std::vector<int>* order = nullptr;
    HANDLE ran = nullptr;

    static void Run(void* data)
    {
        RecordingJob* self = static_cast<RecordingJob*>(data);
        self->order->push_back(self->number);
        SetEvent(self->ran);
    }
};

// A job that stays inside until released (or its time-out passes).
struct LongJob
{
    HANDLE entered = nullptr;
    HANDLE release = nullptr;
    volatile LONG finished = 0;

    static void Run(void* data)
    {
        LongJob* self = static_cast<LongJob*>(data);
        SetEvent(self->entered);
        WaitForSingleObject(self->release, kJobTimeoutMs);
        InterlockedExchange(&self->finished, 1);
    }
};

// Takes a mutex and ends without releasing it.
DWORD WINAPI TakeAndKeep(LPVOID mutex)
{
    return WaitForSingleObject(static_cast<HANDLE>(mutex), kJobTimeoutMs);
}

TEST(WorkerThreadTest, StopWithoutStartReturnsTrueAtOnce)
{
    WorkerThread worker;
    ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(worker.Stop());
    EXPECT_TRUE(worker.Stop());
    EXPECT_LT(ElapsedSince(start), 400u);
}

TEST(WorkerThreadTest, RunsAJobEachTimeItsEventIsSet)
{
    Event job, ran;
    std::vector<int> order;
    RecordingJob record{7, &order, ran.Get()};
    WorkerThread worker;
    ASSERT_TRUE(worker.AddHandler(job.Get(), &RecordingJob::Run, &record));
    EXPECT_EQ(1u, worker.Start(THREAD_PRIORITY_NORMAL));   // it was created suspended once

    for (int i = 0; i < 3; ++i) {
        job.Set();
        ASSERT_TRUE(ran.WaitFor(kJobTimeoutMs)) << "run " << i;
    }
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ((std::vector<int>{7, 7, 7}), order);
}

TEST(WorkerThreadTest, IdleStopIsWellWithinTheLimit)
{
    Event job;
    WorkerThread worker;
    ASSERT_TRUE(worker.AddHandler(job.Get(), [](void*) {}, nullptr));
    worker.Start(THREAD_PRIORITY_NORMAL);
    ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(worker.Stop());
    EXPECT_LT(ElapsedSince(start), 400u);
}

TEST(WorkerThreadTest, LongJobIsTerminatedAfterTheLimit)
{
    Event job, entered, release(true);
    LongJob longJob;
    longJob.entered = entered.Get();
    longJob.release = release.Get();
    WorkerThread worker;
    ASSERT_TRUE(worker.AddHandler(job.Get(), &LongJob::Run, &longJob));
    worker.Start(THREAD_PRIORITY_NORMAL);
    job.Set();
    ASSERT_TRUE(entered.WaitFor(kJobTimeoutMs));

    ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(worker.Stop());
    DWORD elapsed = ElapsedSince(start);
    EXPECT_GE(elapsed, 450u);
    EXPECT_LT(elapsed, 5000u);
    // The job was stopped where it was: releasing it now finishes nothing.
    release.Set();
    EXPECT_FALSE(entered.WaitFor(200));
    EXPECT_EQ(0, longJob.finished);
    // The destructor's Stop returns at once.
    start = GetTickCount64();
    EXPECT_TRUE(worker.Stop());
    EXPECT_LT(ElapsedSince(start), 400u);
}

TEST(WorkerThreadTest, DestructorAfterStopDoesNotWaitAgain)
{
    Event job;
    ULONGLONG start;
    {
        WorkerThread worker;
        ASSERT_TRUE(worker.AddHandler(job.Get(), [](void*) {}, nullptr));
        worker.Start(THREAD_PRIORITY_NORMAL);
        EXPECT_TRUE(worker.Stop());
        start = GetTickCount64();
    }
    EXPECT_LT(ElapsedSince(start), 400u);
}

// With several events set, the lowest entry runs first; an event set twice
// before the thread wakes runs its job once (the events reset themselves).
TEST(WorkerThreadTest, LowestIndexFirstAndTwiceSetRunsOnce)
{
    Event e1, e2, e3, ran1, ran2, ran3;
    std::vector<int> order;
    RecordingJob j1{1, &order, ran1.Get()}, j2{2, &order, ran2.Get()}, j3{3, &order, ran3.Get()};
    WorkerThread worker;
    ASSERT_TRUE(worker.AddHandler(e1.Get(), &RecordingJob::Run, &j1));
    ASSERT_TRUE(worker.AddHandler(e2.Get(), &RecordingJob::Run, &j2));
    ASSERT_TRUE(worker.AddHandler(e3.Get(), &RecordingJob::Run, &j3));

    e3.Set();
    e2.Set();
    e1.Set();
    e1.Set();
    worker.Start(THREAD_PRIORITY_NORMAL);
    ASSERT_TRUE(ran3.WaitFor(kJobTimeoutMs));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), order);

    // Had job 1's event stayed set, it would run again before job 3 does.
    e3.Set();
    ASSERT_TRUE(ran3.WaitFor(kJobTimeoutMs));
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 3}), order);
}

TEST(WorkerThreadTest, FullListTakesSixtyThreeJobsAndRefusesMore)
{
    const int jobs = WorkerThread::MaxEntries - 1;   // entry 0 is the kill event
    std::vector<HANDLE> events;
    Event ran;
    std::vector<int> order;
    std::vector<RecordingJob> records(jobs + 1);
    WorkerThread worker;
    for (int i = 0; i < jobs; ++i) {
        events.push_back(CreateEventA(nullptr, FALSE, FALSE, nullptr));
        records[i] = RecordingJob{i + 1, &order, ran.Get()};
        EXPECT_TRUE(worker.AddHandler(events.back(), &RecordingJob::Run, &records[i])) << i;
    }
    HANDLE extra = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    records[jobs] = RecordingJob{jobs + 1, &order, ran.Get()};
    EXPECT_FALSE(worker.AddHandler(extra, &RecordingJob::Run, &records[jobs]));

    worker.Start(THREAD_PRIORITY_NORMAL);
    SetEvent(events.back());
    ASSERT_TRUE(ran.WaitFor(kJobTimeoutMs));
    // The refused job's event names nothing: the last accepted job still runs.
    SetEvent(extra);
    SetEvent(events.front());
    ASSERT_TRUE(ran.WaitFor(kJobTimeoutMs));
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ((std::vector<int>{jobs, 1}), order);

    CloseHandle(extra);
    for (HANDLE h : events)
        CloseHandle(h);
}

TEST(WorkerThreadTest, RefusesJobsAfterStartAndJobsWithoutAnEvent)
{
    Event job;
    int runs = 0;
    auto count = [](void* data) { ++*static_cast<int*>(data); };
    WorkerThread worker;
    EXPECT_FALSE(worker.AddHandler(nullptr, count, &runs));
    worker.Start(THREAD_PRIORITY_NORMAL);
    EXPECT_FALSE(worker.AddHandler(job.Get(), count, &runs));
    EXPECT_FALSE(worker.AddHandler(nullptr, nullptr, nullptr));
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ(0, runs);
}

TEST(WorkerThreadTest, StartTwiceIsRefused)
{
    WorkerThread worker;
    worker.Start(THREAD_PRIORITY_NORMAL);
    EXPECT_EQ(static_cast<DWORD>(-1), worker.Start(THREAD_PRIORITY_NORMAL));
    EXPECT_TRUE(worker.Stop());
}

// A mutex whose owner ended without releasing it is reported as abandoned:
// that wait names no job to run, and the thread ends.
TEST(WorkerThreadTest, AbandonedWaitRunsNoJob)
{
    HANDLE mutex = CreateMutexA(nullptr, FALSE, nullptr);
    ASSERT_NE(nullptr, mutex);
    HANDLE owner = CreateThread(nullptr, 0, &TakeAndKeep, mutex, 0, nullptr);
    ASSERT_NE(nullptr, owner);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(owner, kJobTimeoutMs));
    CloseHandle(owner);

    Event later, ran;
    int runs = 0;
    std::vector<int> order;
    RecordingJob record{2, &order, ran.Get()};
    WorkerThread worker;
    ASSERT_TRUE(worker.AddHandler(mutex, [](void* data) { ++*static_cast<int*>(data); }, &runs));
    ASSERT_TRUE(worker.AddHandler(later.Get(), &RecordingJob::Run, &record));
    worker.Start(THREAD_PRIORITY_NORMAL);
    later.Set();
    EXPECT_FALSE(ran.WaitFor(300));

    ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(worker.Stop());
    EXPECT_LT(ElapsedSince(start), 400u);   // it ended by itself, not by termination
    EXPECT_EQ(0, runs);
    EXPECT_TRUE(order.empty());
    CloseHandle(mutex);
}

// A handle that cannot be waited on makes the wait fail: no job runs.
TEST(WorkerThreadTest, FailedWaitRunsNoJob)
{
    // Far beyond any handle this process has open.
    HANDLE bogus = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x00FFFFF0));
    Event later, ran;
    std::vector<int> order;
    RecordingJob first{1, &order, ran.Get()}, second{2, &order, ran.Get()};
    WorkerThread worker;
    ASSERT_TRUE(worker.AddHandler(bogus, &RecordingJob::Run, &first));
    ASSERT_TRUE(worker.AddHandler(later.Get(), &RecordingJob::Run, &second));
    worker.Start(THREAD_PRIORITY_NORMAL);
    later.Set();
    EXPECT_FALSE(ran.WaitFor(300));
    ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(worker.Stop());
    EXPECT_LT(ElapsedSince(start), 400u);
    EXPECT_TRUE(order.empty());
}

} // namespace
