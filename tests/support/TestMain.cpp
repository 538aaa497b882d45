#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace {

// A test that waits for something that never comes must fail here, with
// its name, long before CTest's time-out ends the whole shard without one;
// so must a program that does not end once its tests have run.
const DWORD kTestLimitMs = 120000;
const DWORD kExitLimitMs = 30000;

// Lives until the process ends (its thread outlives every static object).
class Watchdog
{
public:
    void Start()
    {
        HANDLE thread = CreateThread(nullptr, 0, &Watchdog::Run, this, 0, nullptr);
        if (thread)
            CloseHandle(thread);
    }

    void TestStarts(const testing::TestInfo& info)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_what = std::string("test ") + info.test_suite_name() + "." + info.name();
        m_limit = kTestLimitMs;
        m_since = GetTickCount();
    }

    void TestEnds()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_what.clear();
    }

    void ProgramEnds()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_what = "the program's end after its last test";
        m_limit = kExitLimitMs;
        m_since = GetTickCount();
    }

private:
    static DWORD WINAPI Run(void* self)
    {
        for (;;) {
            Sleep(250);
            static_cast<Watchdog*>(self)->Check();
        }
    }

    void Check()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_what.empty() || GetTickCount() - m_since < m_limit)
            return;
        std::fflush(stdout);
        std::fprintf(stderr, "\n[ WATCHDOG ] %s has not ended within %lu s: it waits for something "
                             "that does not come. The program is ended.\n",
                     m_what.c_str(), static_cast<unsigned long>(m_limit / 1000));
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }

    std::mutex m_lock;
    std::string m_what;
    DWORD m_limit = 0;
    DWORD m_since = 0;
};

// Tells the watchdog what runs; owned (and deleted at exit) by GoogleTest.
class WatchdogListener : public testing::EmptyTestEventListener
{
public:
    explicit WatchdogListener(Watchdog* dog) : m_dog(dog) {}
    void OnTestStart(const testing::TestInfo& info) override { m_dog->TestStarts(info); }
    void OnTestEnd(const testing::TestInfo&) override { m_dog->TestEnds(); }
    void OnTestProgramEnd(const testing::UnitTest&) override { m_dog->ProgramEnds(); }

private:
    Watchdog* m_dog;
};

} // namespace

int main(int argc, char** argv)
{
    // A crash in a test must end the program, never wait on an error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    // Output reaches CTest's log as it is written, even when the program
    // is ended by the watchdog or a crash.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    Watchdog* watchdog = new Watchdog;
    testing::UnitTest::GetInstance()->listeners().Append(new WatchdogListener(watchdog));
    watchdog->Start();
    return RUN_ALL_TESTS();
}
