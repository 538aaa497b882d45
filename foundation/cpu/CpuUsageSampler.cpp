#include "foundation/cpu/CpuUsageSampler.h"

#include "foundation/cpu/PerfDataWalk.h"

#include <winperf.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

// The walker reads the platform's structures by these offsets.
static_assert(offsetof(PERF_DATA_BLOCK, TotalByteLength) == perfdata::kBlockTotalByteLength, "");
static_assert(offsetof(PERF_DATA_BLOCK, HeaderLength) == perfdata::kBlockHeaderLength, "");
static_assert(offsetof(PERF_DATA_BLOCK, NumObjectTypes) == perfdata::kBlockNumObjectTypes, "");
static_assert(offsetof(PERF_DATA_BLOCK, PerfTime100nSec) == perfdata::kBlockPerfTime100nSec, "");
static_assert(sizeof(PERF_DATA_BLOCK) == perfdata::kBlockSize, "");
static_assert(offsetof(PERF_OBJECT_TYPE, DefinitionLength) == perfdata::kObjectDefinitionLength, "");
static_assert(offsetof(PERF_OBJECT_TYPE, HeaderLength) == perfdata::kObjectHeaderLength, "");
static_assert(offsetof(PERF_OBJECT_TYPE, ObjectNameTitleIndex) == perfdata::kObjectNameTitleIndex, "");
static_assert(offsetof(PERF_OBJECT_TYPE, NumCounters) == perfdata::kObjectNumCounters, "");
static_assert(offsetof(PERF_OBJECT_TYPE, NumInstances) == perfdata::kObjectNumInstances, "");
static_assert(sizeof(PERF_OBJECT_TYPE) == perfdata::kObjectSize, "");
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex) == perfdata::kCounterNameTitleIndex, "");
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterOffset) == perfdata::kCounterOffset, "");
static_assert(sizeof(PERF_COUNTER_DEFINITION) == perfdata::kCounterSize, "");
static_assert(offsetof(PERF_INSTANCE_DEFINITION, NameOffset) == perfdata::kInstanceNameOffset, "");
static_assert(offsetof(PERF_INSTANCE_DEFINITION, NameLength) == perfdata::kInstanceNameLength, "");
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == perfdata::kInstanceSize, "");

namespace {

const DWORD kInitialBufferSize = 102400;
const DWORD kBufferGrowth = 10240;
// A source that keeps asking for more past this is broken: no data.
const size_t kMaxBufferSize = 64u * 1024u * 1024u;
const size_t kMaxInstanceName = 255;

// Objects and counters (registry title indices).
const uint32_t kObjectSystem = 2;
const uint32_t kCounterTotalProcessorTime = 240;
const uint32_t kObjectProcessor = 238;
const uint32_t kObjectProcess = 230;
const uint32_t kCounterProcessorTime = 6;

enum PlatformKind { PLATFORM_NT4 = 0, PLATFORM_NT = 1, PLATFORM_9X = 2, PLATFORM_UNKNOWN = 3 };

class RegistryPerfData : public PerfDataSource
{
public:
    LONG QueryPerfData(const char* valueName, BYTE* buffer, DWORD* size) override
    {
        DWORD type = 0;
        LONG result = RegQueryValueExA(HKEY_PERFORMANCE_DATA, valueName, nullptr, &type, buffer, size);
        RegCloseKey(HKEY_PERFORMANCE_DATA);
        return result;
    }
};

RegistryPerfData g_registry;
PerfDataSource* g_source = nullptr;
std::vector<BYTE> g_buffer;   // the shared data buffer; only grows
int g_platform = -1;

PerfDataSource& Source()
{
    return g_source ? *g_source : g_registry;
}

int ProbePlatform()
{
    if (g_platform >= 0)
        return g_platform;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (!known)
        g_platform = PLATFORM_UNKNOWN;
    else if (version.dwPlatformId == VER_PLATFORM_WIN32_NT)
        g_platform = version.dwMajorVersion == 4 ? PLATFORM_NT4 : PLATFORM_NT;
    else if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        g_platform = PLATFORM_9X;
    else
        g_platform = PLATFORM_UNKNOWN;
    return g_platform;
}

// Switches a service's counters on when its setting switches them off. A
// setting that is absent or already 0 is left alone; a setting that cannot
// be written (no rights to the machine's keys) changes nothing else.
void AllowCounters(const char* keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD value = 0, size = sizeof value, type = 0;
    const bool disabled = RegQueryValueExA(key, "Disable Performance Counters", nullptr, &type,
                                           reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
                          type == REG_DWORD && value != 0;
    RegCloseKey(key);
    if (!disabled)
        return;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    value = 0;
    RegSetValueExA(key, "Disable Performance Counters", 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void EnableCounters()
{
    if (ProbePlatform() != PLATFORM_NT)
        return;
    AllowCounters("SYSTEM\\CurrentControlSet\\Services\\PerfOS\\Performance");
    AllowCounters("SYSTEM\\CurrentControlSet\\Services\\PerfProc\\Performance");
}

// Queries the object's data into the shared buffer; the bytes it holds.
size_t QueryObject(uint32_t objectIndex)
{
    if (g_buffer.empty())
        g_buffer.resize(kInitialBufferSize);
    char valueName[16];
    std::snprintf(valueName, sizeof valueName, "%u", objectIndex);
    for (;;) {
        std::memset(g_buffer.data(), 0, g_buffer.size());
        DWORD size = static_cast<DWORD>(g_buffer.size());
        const LONG result = Source().QueryPerfData(valueName, g_buffer.data(), &size);
        if (result == ERROR_MORE_DATA) {
            if (g_buffer.size() >= kMaxBufferSize)
                return 0;
            g_buffer.resize(g_buffer.size() + kBufferGrowth);
            continue;
        }
        if (result != ERROR_SUCCESS)
            return 0;
        return size < g_buffer.size() ? size : g_buffer.size();
    }
}

// An instance name compared in the ANSI code page, letter case ignored.
class AnsiNameMatcher : public PerfInstanceMatcher
{
public:
    explicit AnsiNameMatcher(const char* name) : m_name(name) {}
    bool Matches(const uint16_t* name, size_t length) const override
    {
        std::vector<wchar_t> wide(name, name + length);
        wide.push_back(0);
        char ansi[1024] = {};
        if (!WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, ansi, sizeof ansi - 1, nullptr, nullptr))
            return false;
        return lstrcmpiA(ansi, m_name) == 0;
    }

private:
    const char* m_name;
};

PerfCounterReading ReadCounter(uint32_t object, uint32_t counter, const PerfInstanceMatcher* instance)
{
    const size_t size = QueryObject(object);
    return ReadPerfCounter(g_buffer.data(), size, object, counter, instance);
}

} // namespace

PerfDataSource* SetPerfDataSource(PerfDataSource* source)
{
    PerfDataSource* previous = g_source;
    g_source = source;
    return previous;
}

DWORD GetPerfDataBufferSize()
{
    return static_cast<DWORD>(g_buffer.size());
}

CString GetProcessInstanceName()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            name = p + 1;
    CString title(name);
    const int dot = title.ReverseFind('.');
    return dot > 0 ? title.Left(dot) : title;
}

CpuUsageSampler::CpuUsageSampler() : m_bFirstSample(true), m_nPrevValue(0), m_nPrevTime(0)
{
}

bool CpuUsageSampler::TakeSample(int64_t value, int64_t time, int64_t& dv, int64_t& dt)
{
    if (m_bFirstSample) {
        m_nPrevValue = value;
        m_nPrevTime = time;
        m_bFirstSample = false;
        return false;
    }
    // Differences in unsigned arithmetic: counters that wrap give the
    // right difference, and nothing overflows a signed value.
    dv = static_cast<int64_t>(static_cast<uint64_t>(value) - static_cast<uint64_t>(m_nPrevValue));
    dt = static_cast<int64_t>(static_cast<uint64_t>(time) - static_cast<uint64_t>(m_nPrevTime));
    m_nPrevValue = value;
    m_nPrevTime = time;
    return true;
}

int CpuUsageSampler::GetTotalUsage()
{
    const int platform = ProbePlatform();
    if (m_bFirstSample)
        EnableCounters();
    PerfCounterReading reading;
    if (platform == PLATFORM_NT4) {
        reading = ReadCounter(kObjectSystem, kCounterTotalProcessorTime, nullptr);
    } else if (platform == PLATFORM_NT) {
        const AnsiNameMatcher total("_Total");
        reading = ReadCounter(kObjectProcessor, kCounterProcessorTime, &total);
    } else {
        return -1;
    }
    int64_t dv = 0, dt = 0;
    if (!TakeSample(reading.value, reading.time100ns, dv, dt))
        return 0;
    return TotalUsagePercent(dv, dt);
}

int CpuUsageSampler::GetProcessUsage(const char* instanceName)
{
    ProbePlatform();
    if (m_bFirstSample)
        EnableCounters();
    if (!instanceName || std::strlen(instanceName) > kMaxInstanceName)
        return 0;
    const AnsiNameMatcher process(instanceName);
    const PerfCounterReading reading = ReadCounter(kObjectProcess, kCounterProcessorTime, &process);
    int64_t dv = 0, dt = 0;
    if (!TakeSample(reading.value, reading.time100ns, dv, dt))
        return 0;
    return ProcessUsagePercent(dv, dt);
}
