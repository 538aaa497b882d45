// The main of the native test programs: the same watchdog as TestMain.cpp
// (a case longer than 120 s, or a program not ended 30 s after its last
// case, is reported by name and the program ends), over std::thread.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace {

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
        _exit(3);
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
    testing::InitGoogleTest(&argc, argv);
    // Output reaches CTest's log as it is written, even when the program
    // is ended by the watchdog or a crash.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    Watchdog* watchdog = new Watchdog;
    testing::UnitTest::GetInstance()->listeners().Append(new WatchdogListener(watchdog));
    watchdog->Start();
    return RUN_ALL_TESTS();
}
