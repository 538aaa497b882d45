#include "foundation/cpu/PerfDataWalk.h"
#include "tests/foundation/cpu/PerfBlockBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace perf_test;

namespace {

std::vector<uint8_t> SampleBlock()
{
    Object system;
    system.index = 2;
    system.counters = {240, 250};
    system.values = {123456789, 42};
    return BuildBlock(9876543210LL, {ProcessObject({{u"explorer", 100}, {u"VurizuZadOD", 5000}}),
                                     system, ProcessorObject(800000)});
}

TEST(PerfDataWalk, ReadsCountersOfObjectsAndInstances)
{
    const std::vector<uint8_t> block = SampleBlock();
    const PerfAsciiNameMatcher total("_Total"), totalLower("_total"), program("vurizuzadod"),
        first("explorer"), missing("notepad"), prefix("vurizu");
    const struct {
        uint32_t object;
        uint32_t counter;
        const PerfInstanceMatcher* instance;
        int64_t value;
    } cases[] = {
        {238, 6, &total, 800000},        // the processors' idle time
        {238, 6, &totalLower, 800000},   // instance names ignore case
        {238, 142, &total, 9},
        {230, 6, &program, 5000},        // the second instance
        {230, 6, &first, 100},
        {230, 142, &program, 11},
        {2, 240, nullptr, 123456789},    // an object without instances
        {2, 250, nullptr, 42},
        {230, 6, &missing, -1},          // no such instance
        {230, 6, &prefix, -1},           // a prefix is not the name
        {230, 6, nullptr, -1},           // instances, but none asked for
        {999, 6, &total, 0},             // no such object
        {238, 77, &total, 0},            // no such counter
    };
    for (const auto& c : cases) {
        const PerfCounterReading r = ReadPerfCounter(block.data(), block.size(), c.object, c.counter, c.instance);
        EXPECT_TRUE(r.blockValid);
        EXPECT_EQ(9876543210LL, r.time100ns);
        EXPECT_EQ(c.value, r.value) << c.object << "/" << c.counter;
    }
}

TEST(PerfDataWalk, BlocksCutAnywhereNeverReadPastTheirEnd)
{
    // Each cut is a copy of exactly that many bytes, so a read past it is
    // a read past an allocation (which the sanitizer build reports).
    const std::vector<uint8_t> block = SampleBlock();
    const PerfAsciiNameMatcher program("VurizuZadOD");
    for (size_t size = 0; size <= block.size(); ++size) {
        const std::vector<uint8_t> cut(block.begin(), block.begin() + size);
        const PerfCounterReading r = ReadPerfCounter(cut.data(), cut.size(), 230, 6, &program);
        EXPECT_EQ(size >= 88, r.blockValid) << size;
        // The process object comes first: once its instance is whole, the
        // value is right; before that it is "not found" (0 or -1).
        EXPECT_TRUE(r.value == 5000 || r.value == 0 || r.value == -1) << size << ": " << r.value;
    }
    const PerfCounterReading whole = ReadPerfCounter(block.data(), block.size(), 230, 6, &program);
    EXPECT_EQ(5000, whole.value);
    EXPECT_FALSE(ReadPerfCounter(nullptr, 100, 230, 6, &program).blockValid);
}

TEST(PerfDataWalk, DamagedLengthsAndOffsetsGiveNotFound)
{
    const PerfAsciiNameMatcher total("_Total");
    const std::vector<uint8_t> good = BuildBlock(1, {ProcessorObject(50)});
    const size_t object = 88;
    const size_t firstInstance = object + 64 + 3 * 40;
    struct Damage
    {
        const char* what;
        size_t at;
        uint32_t value;
        int64_t expected;
    };
    const Damage damages[] = {
        {"header length past the end", 24, 0xFFFFFFF0u, 0},
        {"a billion objects", 28, 1000000000u, 50},   // found before the count matters
        {"object header length past the end", object + 8, 0x7FFFFFFFu, 0},
        {"counter definition of length 0", object + 64, 0, 0},
        {"a billion counters", object + 32, 1000000000u, 50},   // found before the count matters
        {"counter offset past the end", object + 64 + 40 + 36, 0xFFFFFFF8u, 0},
        {"definition length past the end", object + 4, 0xFFFFFF00u, -1},
        {"instance of length 0", firstInstance, 0, -1},
        {"instance name past the end", firstInstance + 16, 0x7FFFFFFFu, 50},
        {"instance name inside its header", firstInstance + 16, 4, 50},
        {"name length past the end", firstInstance + 20, 0xFFFFFFFFu, 50},
        {"counter block of length 0", firstInstance + 32, 0, -1},
        {"a negative instance count", object + 40, 0xFFFFFFFEu, -1},
    };
    for (const Damage& d : damages) {
        std::vector<uint8_t> block = good;
        std::memcpy(block.data() + d.at, &d.value, 4);
        const PerfCounterReading r = ReadPerfCounter(block.data(), block.size(), 238, 6, &total);
        EXPECT_EQ(d.expected, r.value) << d.what;
    }
}

TEST(PerfDataWalk, UsageArithmetic)
{
    const struct {
        int64_t dv;
        int64_t dt;
        int total;
        int process;
    } cases[] = {
        {1000000, 1000000, 0, 100},   // all idle / one full processor
        {0, 1000000, 100, 0},         // never idle / the process did nothing
        {250000, 1000000, 75, 25},
        {996000, 1000000, 0, 99},     // 0.4 % rounds to 0; 99.6 % truncates
        {994000, 1000000, 1, 99},     // 0.6 % rounds to 1
        {2000000, 1000000, 0, 200},   // two processors' worth
        {-5, 1000000, 100, 0},        // a counter that went back
        {5, 0, 0, 0},                 // no time passed: no division by zero
        {5, -10, 0, 0},               // a clock that went back
        {0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.total, TotalUsagePercent(c.dv, c.dt)) << c.dv << "/" << c.dt;
        EXPECT_EQ(c.process, ProcessUsagePercent(c.dv, c.dt)) << c.dv << "/" << c.dt;
    }
}

} // namespace
