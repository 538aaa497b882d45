// The CPU sampler's walk over a performance data block: any bytes as the
// block, read for an object without instances and for one with them. The
// first byte picks the object, the counter and the instance name; the rest
// is the block.
#include "foundation/cpu/PerfDataWalk.h"
#include "fuzz/FuzzCheck.h"

#include <cstring>
#include <vector>

namespace {

// The walker reads values out of the block; it never makes one up.
bool BlockHolds(const std::vector<uint8_t>& block, int64_t value)
{
    for (size_t at = 0; at + 8 <= block.size(); ++at)
        if (std::memcmp(block.data() + at, &value, 8) == 0)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t choice = data[0];
    // An exact copy: a read past its end is a read past the allocation.
    const std::vector<uint8_t> block(data + 1, data + size);
    const uint32_t objects[] = {2, 230, 238, choice};
    const uint32_t counters[] = {6, 240, 142, choice};
    const char* names[] = {"_Total", "vurizuzadod", "", "0"};
    const PerfAsciiNameMatcher matcher(names[(choice >> 4) & 3]);
    const uint32_t object = objects[choice & 3];
    const uint32_t counter = counters[(choice >> 2) & 3];

    const PerfCounterReading reading = ReadPerfCounter(block.data(), block.size(), object, counter,
                                                       (choice & 0x80) ? nullptr : &matcher);
    FUZZ_CHECK(reading.blockValid == (block.size() >= perfdata::kBlockSize),
               "a block of %zu bytes read as %s", block.size(), reading.blockValid ? "valid" : "not valid");
    if (reading.blockValid) {
        int64_t time = 0;
        std::memcpy(&time, block.data() + perfdata::kBlockPerfTime100nSec, 8);
        FUZZ_CHECK(reading.time100ns == time, "the sample time is not the block's");
    }
    FUZZ_CHECK(reading.value == 0 || reading.value == -1 || BlockHolds(block, reading.value),
               "the value %lld is nowhere in the block", static_cast<long long>(reading.value));

    // Two readings of the same block make a sample pair: never negative.
    FUZZ_CHECK(TotalUsagePercent(reading.value, reading.time100ns) >= 0, "a negative total load");
    FUZZ_CHECK(ProcessUsagePercent(reading.value, reading.time100ns) >= 0, "a negative process load");
    return 0;
}
