#include "foundation/cpu/CpuUsageSampler.h"
#include "tests/foundation/cpu/PerfBlockBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>

using namespace perf_test;

namespace {

// Answers the sampler's queries with prepared blocks, one per query, as
// the registry does: ERROR_MORE_DATA while the buffer is too small.
class SyntheticPerfData : public PerfDataSource
{
public:
    SyntheticPerfData() { m_previous = SetPerfDataSource(this); }
    ~SyntheticPerfData() override { SetPerfDataSource(m_previous); }

    LONG QueryPerfData(const char* valueName, BYTE* buffer, DWORD* size) override
    {
        m_names.push_back(valueName);
        m_sizes.push_back(*size);
        if (m_blocks.empty())
            return ERROR_FILE_NOT_FOUND;
        std::vector<uint8_t> block = m_blocks.front();
        if (block.size() < m_padTo)
            block.resize(m_padTo);   // a large answer (the Process object)
        if (block.size() > *size)
            return ERROR_MORE_DATA;
        m_blocks.pop_front();
        std::memcpy(buffer, block.data(), block.size());
        *size = static_cast<DWORD>(block.size());
        return ERROR_SUCCESS;
    }

    std::deque<std::vector<uint8_t>> m_blocks;
    std::vector<std::string> m_names;
    std::vector<DWORD> m_sizes;
    size_t m_padTo = 0;

private:
    PerfDataSource* m_previous;
};

TEST(CpuUsageSampler, TotalUsageFromTheProcessorsIdleTime)
{
    SyntheticPerfData data;
    // Idle counter and clock, in 100 ns units, at four samples.
    data.m_blocks.push_back(BuildBlock(10000000, {ProcessorObject(5000000)}));
    data.m_blocks.push_back(BuildBlock(11000000, {ProcessorObject(5750000)}));   // 75 % idle
    data.m_blocks.push_back(BuildBlock(12000000, {ProcessorObject(6750000)}));   // all idle
    data.m_blocks.push_back(BuildBlock(12000000, {ProcessorObject(6750000)}));   // no time passed
    data.m_blocks.push_back(BuildBlock(13000000, {ProcessorObject(6750000)}));   // never idle
    CpuUsageSampler sampler;
    EXPECT_EQ(0, sampler.GetTotalUsage());   // the first call only stores
    EXPECT_EQ(25, sampler.GetTotalUsage());
    EXPECT_EQ(0, sampler.GetTotalUsage());
    EXPECT_EQ(0, sampler.GetTotalUsage());
    EXPECT_EQ(100, sampler.GetTotalUsage());
    ASSERT_EQ(5u, data.m_names.size());
    EXPECT_EQ("238", data.m_names[0]);
}

TEST(CpuUsageSampler, ProcessUsageOfTheNamedInstance)
{
    SyntheticPerfData data;
    const std::u16string name = u"TavrixVJ";
    data.m_blocks.push_back(BuildBlock(0, {ProcessObject({{u"explorer", 9}, {name, 1000}})}));
    data.m_blocks.push_back(BuildBlock(1000000, {ProcessObject({{u"explorer", 9}, {name, 301000}})}));
    data.m_blocks.push_back(BuildBlock(2000000, {ProcessObject({{u"explorer", 9}, {name, 2301000}})}));
    CpuUsageSampler sampler;
    EXPECT_EQ(0, sampler.GetProcessUsage("tavrixvj"));
    EXPECT_EQ(30, sampler.GetProcessUsage("tavrixvj"));
    EXPECT_EQ(200, sampler.GetProcessUsage("tavrixvj"));   // two processors' worth
    ASSERT_EQ(3u, data.m_names.size());
    EXPECT_EQ("230", data.m_names[0]);
}

TEST(CpuUsageSampler, AProcessNotFoundStaysAtZero)
{
    SyntheticPerfData data;
    for (int i = 0; i < 3; ++i)
        data.m_blocks.push_back(BuildBlock(i * 1000000LL, {ProcessObject({{u"explorer", i * 500000LL}})}));
    CpuUsageSampler sampler;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(0, sampler.GetProcessUsage("notrunning"));
    // A name longer than the counters allow is refused without a query.
    const std::string tooLong(256, 'x');
    const size_t queries = data.m_names.size();
    EXPECT_EQ(0, sampler.GetProcessUsage(tooLong.c_str()));
    EXPECT_EQ(0, sampler.GetProcessUsage(nullptr));
    EXPECT_EQ(queries, data.m_names.size());
}

TEST(CpuUsageSampler, TheBufferGrowsInStepsUntilTheDataFits)
{
    SyntheticPerfData data;
    data.m_padTo = 150000;
    data.m_blocks.push_back(BuildBlock(0, {ProcessObject({{u"a", 1}})}));
    data.m_blocks.push_back(BuildBlock(1000000, {ProcessObject({{u"a", 500001}})}));
    CpuUsageSampler sampler;
    EXPECT_EQ(0, sampler.GetProcessUsage("a"));
    // 102400 + 5 x 10240 = 153600 is the first size that holds 150000.
    ASSERT_LE(6u, data.m_sizes.size());
    const DWORD start = data.m_sizes[0];
    for (size_t i = 1; i < data.m_sizes.size(); ++i)
        EXPECT_EQ(start + 10240 * i, data.m_sizes[i]);
    EXPECT_EQ(153600u, GetPerfDataBufferSize());
    // The next query starts at that size: no more growth.
    data.m_sizes.clear();
    EXPECT_EQ(50, sampler.GetProcessUsage("a"));
    ASSERT_EQ(1u, data.m_sizes.size());
    EXPECT_EQ(153600u, data.m_sizes[0]);
}

TEST(CpuUsageSampler, FailedQueriesAndMissingObjectsGiveZero)
{
    SyntheticPerfData data;   // no blocks: every query fails
    CpuUsageSampler total, process;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(0, total.GetTotalUsage());
        EXPECT_EQ(0, process.GetProcessUsage("x"));
    }
    // A block without the processor object: the counter reads 0 both times
    // and the clock stands still; no division by zero.
    data.m_blocks.push_back(BuildBlock(5, {ProcessObject({{u"a", 1}})}));
    data.m_blocks.push_back(BuildBlock(5, {ProcessObject({{u"a", 1}})}));
    CpuUsageSampler fresh;
    EXPECT_EQ(0, fresh.GetTotalUsage());
    EXPECT_EQ(0, fresh.GetTotalUsage());
}

TEST(CpuUsageSampler, TheRealCountersGiveAPercentage)
{
    // The platform's own performance data (under Wine its processor
    // counters read 0, so only the range is certain).
    CpuUsageSampler total, process;
    const CString name = GetProcessInstanceName();
    EXPECT_EQ(0, total.GetTotalUsage());
    EXPECT_EQ(0, process.GetProcessUsage(name));
    Sleep(20);
    const int load = total.GetTotalUsage();
    EXPECT_GE(load, 0);
    EXPECT_LE(load, 100);
    EXPECT_GE(process.GetProcessUsage(name), 0);
}

TEST(CpuUsageSampler, TheProcessInstanceIsTheProgramsName)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path);
    file = file.substr(file.find_last_of('\\') + 1);
    EXPECT_EQ(file.substr(0, file.rfind('.')), std::string(GetProcessInstanceName().GetString()));
    EXPECT_EQ("cpu_tests", std::string(GetProcessInstanceName().GetString()));
}

} // namespace
