// The main of every test program, under Wine and native alike.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace {

// A test that waits for something that never comes must fail here, with
// its name, long before CTest's time-out ends the whole shard without one;
// so must a program that does not end once its tests have run.
using Clock = std::chrono::steady_clock;
const std::chrono::seconds kTestLimit(120);
const std::chrono::seconds kExitLimit(30);

// Lives until the process ends (its thread outlives every static object).
class Watchdog
{
public:
    void Start()
    {
        std::thread([this] {
            for (;;) {
                std::this_thread::sleep_for(std::chrono::milliseconds(250));
                Check();
            }
        }).detach();
    }

    void TestStarts(const testing::TestInfo& info)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_what = std::string("test ") + info.test_suite_name() + "." + info.name();
        m_limit = kTestLimit;
        m_since = Clock::now();
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
        m_limit = kExitLimit;
        m_since = Clock::now();
    }

private:
    void Check()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_what.empty() || Clock::now() - m_since < m_limit)
            return;
        std::fflush(stdout);
        std::fprintf(stderr, "\n[ WATCHDOG ] %s has not ended within %lld s: it waits for something "
                             "that does not come. The program is ended.\n",
                     m_what.c_str(), static_cast<long long>(m_limit.count()));
        std::fflush(stderr);
#ifdef _WIN32
        // Not ExitProcess: a hang may hold the loader lock that it takes.
        TerminateProcess(GetCurrentProcess(), 3);
#else
        _exit(3);
#endif
    }

    std::mutex m_lock;
    std::string m_what;
    std::chrono::seconds m_limit{0};
    Clock::time_point m_since;
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
#ifdef _WIN32
    // A crash in a test must end the program, never wait on an error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
#endif
    testing::InitGoogleTest(&argc, argv);
    // Output reaches CTest's log as it is written, even when the program
    // is ended by the watchdog or a crash.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    Watchdog* watchdog = new Watchdog;
    testing::UnitTest::GetInstance()->listeners().Append(new WatchdogListener(watchdog));
    watchdog->Start();
    return RUN_ALL_TESTS();
}
