#include "tests/foundation/cpu/PerfBlockBuilder.h"

#include <cstring>

namespace perf_test {

namespace {

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    std::memcpy(bytes.data() + at, &value, 4);
}

void Put64(std::vector<uint8_t>& bytes, size_t at, int64_t value)
{
    std::memcpy(bytes.data() + at, &value, 8);
}

// A counter block: its length, padding, then 8 bytes per value.
void AppendCounterBlock(std::vector<uint8_t>& bytes, const std::vector<int64_t>& values)
{
    const size_t at = bytes.size();
    const uint32_t length = static_cast<uint32_t>(8 + 8 * values.size());
    bytes.resize(at + length);
    Put32(bytes, at, length);
    for (size_t i = 0; i < values.size(); ++i)
        Put64(bytes, at + 8 + 8 * i, values[i]);
}

void AppendObject(std::vector<uint8_t>& bytes, const Object& object)
{
    const size_t at = bytes.size();
    const uint32_t definitionLength = static_cast<uint32_t>(64 + 40 * object.counters.size());
    bytes.resize(at + definitionLength);
    Put32(bytes, at + 4, definitionLength);
    Put32(bytes, at + 8, 64);
    Put32(bytes, at + 12, object.index);
    Put32(bytes, at + 32, static_cast<uint32_t>(object.counters.size()));
    Put32(bytes, at + 40, object.hasInstances ? static_cast<uint32_t>(object.instances.size())
                                              : static_cast<uint32_t>(-1));
    for (size_t i = 0; i < object.counters.size(); ++i) {
        const size_t def = at + 64 + 40 * i;
        Put32(bytes, def, 40);
        Put32(bytes, def + 4, object.counters[i]);
        Put32(bytes, def + 32, 8);
        Put32(bytes, def + 36, static_cast<uint32_t>(8 + 8 * i));
    }
    if (!object.hasInstances) {
        AppendCounterBlock(bytes, object.values);
    } else {
        for (const Instance& instance : object.instances) {
            const size_t inst = bytes.size();
            const uint32_t nameBytes = static_cast<uint32_t>(2 * (instance.name.size() + 1));
            const uint32_t length = 24 + ((nameBytes + 7) & ~7u);
            bytes.resize(inst + length);
            Put32(bytes, inst, length);
            Put32(bytes, inst + 16, 24);
            Put32(bytes, inst + 20, nameBytes);
            std::memcpy(bytes.data() + inst + 24, instance.name.data(), 2 * instance.name.size());
            AppendCounterBlock(bytes, instance.values);
        }
    }
    Put32(bytes, at, static_cast<uint32_t>(bytes.size() - at));
}

} // namespace

std::vector<uint8_t> BuildBlock(int64_t time100ns, const std::vector<Object>& objects)
{
    std::vector<uint8_t> bytes(88);
    const char16_t signature[4] = {u'P', u'E', u'R', u'F'};
    std::memcpy(bytes.data(), signature, 8);
    Put32(bytes, 8, 1);
    Put32(bytes, 24, 88);
    Put32(bytes, 28, static_cast<uint32_t>(objects.size()));
    Put64(bytes, 72, time100ns);
    for (const Object& object : objects)
        AppendObject(bytes, object);
    Put32(bytes, 20, static_cast<uint32_t>(bytes.size()));
    return bytes;
}

Object ProcessorObject(int64_t idle)
{
    Object object;
    object.index = 238;
    object.counters = {5, 6, 142};
    object.hasInstances = true;
    object.instances = {{u"0", {1, idle / 2, 3}}, {u"1", {4, idle / 2, 6}}, {u"_Total", {7, idle, 9}}};
    return object;
}

Object ProcessObject(const std::vector<std::pair<std::u16string, int64_t>>& processes)
{
    Object object;
    object.index = 230;
    object.counters = {6, 142};
    object.hasInstances = true;
    for (const auto& process : processes)
        object.instances.push_back({process.first, {process.second, 11}});
    return object;
}

} // namespace perf_test
