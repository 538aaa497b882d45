// The CPU meter's cost per sample: the sampler over a synthetic Process
// object of 400 processes (the walk and the buffer handling), and over the
// platform's own performance data. The main window samples twice every
// 100 ms.
#include "foundation/cpu/CpuUsageSampler.h"
#include "tests/foundation/cpu/PerfBlockBuilder.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

class FixedPerfData : public PerfDataSource
{
public:
    explicit FixedPerfData(std::vector<uint8_t> block) : m_block(std::move(block)) {}
    LONG QueryPerfData(const char*, BYTE* buffer, DWORD* size) override
    {
        if (m_block.size() > *size)
            return ERROR_MORE_DATA;
        std::memcpy(buffer, m_block.data(), m_block.size());
        *size = static_cast<DWORD>(m_block.size());
        return ERROR_SUCCESS;
    }

private:
    std::vector<uint8_t> m_block;
};

double MicrosPerSample(CpuUsageSampler& sampler, const char* name, int rounds)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        sampler.GetProcessUsage(name);
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / rounds;
}

} // namespace

int main()
{
    std::vector<std::pair<std::u16string, int64_t>> processes;
    for (int i = 0; i < 400; ++i) {
        std::string name = "process" + std::to_string(i);
        processes.push_back({std::u16string(name.begin(), name.end()), i * 1000LL});
    }
    processes.push_back({u"TavrixVJ", 123456});
    const std::vector<uint8_t> block = perf_test::BuildBlock(1, {perf_test::ProcessObject(processes)});
    {
        FixedPerfData data(block);
        PerfDataSource* previous = SetPerfDataSource(&data);
        CpuUsageSampler sampler;
        const double last = MicrosPerSample(sampler, "TavrixVJ", 2000);
        const double missing = MicrosPerSample(sampler, "notrunning", 2000);
        std::printf("synthetic Process object: %zu bytes, 401 instances\n", block.size());
        std::printf("  sample, last instance matches: %.1f us\n", last);
        std::printf("  sample, no instance matches:   %.1f us\n", missing);
        std::printf("  buffer after: %lu bytes\n", static_cast<unsigned long>(GetPerfDataBufferSize()));
        SetPerfDataSource(previous);
    }
    CpuUsageSampler total, own;
    const CString name = GetProcessInstanceName();
    const int rounds = 50;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        total.GetTotalUsage();
    std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    std::printf("platform's performance data, total (Processor object): %.2f ms per sample\n",
                spent.count() / rounds);
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        own.GetProcessUsage(name);
    spent = std::chrono::steady_clock::now() - start;
    std::printf("platform's performance data, this process (Process object): %.2f ms per sample\n",
                spent.count() / rounds);
    return 0;
}
