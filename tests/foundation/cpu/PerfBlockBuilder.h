// Builds performance data blocks laid out as the platform's performance
// data (a block header, objects, counter definitions, instances and
// counter blocks), for the tests of the walker and the sampler.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace perf_test {

struct Instance
{
    std::u16string name;
    std::vector<int64_t> values;   // one per counter, in definition order
};

struct Object
{
    uint32_t index = 0;
    std::vector<uint32_t> counters;   // counter title indices
    bool hasInstances = false;
    std::vector<int64_t> values;      // without instances: one per counter
    std::vector<Instance> instances;
};

std::vector<uint8_t> BuildBlock(int64_t time100ns, const std::vector<Object>& objects);

// The processor object (238) with "_Total" and one instance per CPU, its
// idle-time counter 6 holding `idle`.
Object ProcessorObject(int64_t idle);
// The process object (230) with the named processes and their counter 6.
Object ProcessObject(const std::vector<std::pair<std::u16string, int64_t>>& processes);

} // namespace perf_test
