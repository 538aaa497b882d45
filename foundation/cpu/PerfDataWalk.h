// Reading one counter out of a performance data block (the bytes that the
// registry's performance-data key answers), and the load arithmetic of the
// CPU sampler. No window code: the block is only bytes here, every offset
// in it is checked against its end, so a damaged or hostile block gives
// "not found" instead of a read outside it.
#pragma once

#include <cstddef>
#include <cstdint>

// The layout of the platform's performance data structures (winperf.h),
// as byte offsets; the same on 32- and 64-bit Windows.
namespace perfdata {
const size_t kBlockTotalByteLength = 20;
const size_t kBlockHeaderLength = 24;
const size_t kBlockNumObjectTypes = 28;
const size_t kBlockPerfTime100nSec = 72;
const size_t kBlockSize = 88;

const size_t kObjectTotalByteLength = 0;
const size_t kObjectDefinitionLength = 4;
const size_t kObjectHeaderLength = 8;
const size_t kObjectNameTitleIndex = 12;
const size_t kObjectNumCounters = 32;
const size_t kObjectNumInstances = 40;
const size_t kObjectSize = 64;

const size_t kCounterByteLength = 0;
const size_t kCounterNameTitleIndex = 4;
const size_t kCounterOffset = 36;
const size_t kCounterSize = 40;

const size_t kInstanceByteLength = 0;
const size_t kInstanceNameOffset = 16;
const size_t kInstanceNameLength = 20;
const size_t kInstanceSize = 24;

const size_t kCounterBlockByteLength = 0;

const int32_t kNoInstances = -1;
} // namespace perfdata

// Decides whether an instance's name (UTF-16 code units, without the
// terminator) is the one looked for.
class PerfInstanceMatcher
{
public:
    virtual ~PerfInstanceMatcher() = default;
    virtual bool Matches(const uint16_t* name, size_t length) const = 0;
};

// Matches a name of plain ASCII letters, digits and signs, ignoring the
// case of the letters.
class PerfAsciiNameMatcher : public PerfInstanceMatcher
{
public:
    explicit PerfAsciiNameMatcher(const char* name) : m_name(name) {}
    bool Matches(const uint16_t* name, size_t length) const override;

private:
    const char* m_name;
};

struct PerfCounterReading
{
    bool blockValid;      // the block's header could be read
    int64_t value;        // the counter's value; 0 when the object or the
                          // counter is missing, -1 when no instance matches
    int64_t time100ns;    // the block's PerfTime100nSec (0 without a header)
};

// Finds object objectIndex, its counter counterIndex and, when the object
// has instances, the instance that the matcher accepts (a null matcher
// accepts none), and reads the counter's 64-bit value.
PerfCounterReading ReadPerfCounter(const uint8_t* block, size_t size, uint32_t objectIndex,
                                   uint32_t counterIndex, const PerfInstanceMatcher* instance);

// The load of all processors from two samples of an idle-time counter:
// (1 - dv / dt) x 100 + 0.5, truncated; 0 when negative or when no time
// passed (dt <= 0).
int TotalUsagePercent(int64_t dv, int64_t dt);

// The load of one process from two samples of its processor-time counter:
// dv / dt x 100, truncated; 0 when negative or when no time passed.
int ProcessUsagePercent(int64_t dv, int64_t dt);
