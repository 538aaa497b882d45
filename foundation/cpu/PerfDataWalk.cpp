#include "foundation/cpu/PerfDataWalk.h"

#include <cstring>
#include <vector>

using namespace perfdata;

namespace {

// A view of the block that refuses every read past its end.
class BlockView
{
public:
    BlockView(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Has(size_t offset, size_t length) const
    {
        return m_data && offset <= m_size && length <= m_size - offset;
    }
    bool U32(size_t offset, uint32_t& value) const
    {
        if (!Has(offset, 4))
            return false;
        std::memcpy(&value, m_data + offset, 4);
        return true;
    }
    bool I64(size_t offset, int64_t& value) const
    {
        if (!Has(offset, 8))
            return false;
        std::memcpy(&value, m_data + offset, 8);
        return true;
    }
    const uint8_t* At(size_t offset) const { return m_data + offset; }

private:
    const uint8_t* m_data;
    size_t m_size;
};

// offset + step, or false when that leaves the block (or wraps).
bool Advance(const BlockView& view, size_t offset, uint32_t step, size_t& next)
{
    if (step == 0)
        return false;
    next = offset + step;
    return next > offset && view.Has(next, 0);
}

// base + add when that stays inside the block (and does not wrap).
bool Add(const BlockView& view, size_t base, uint32_t add, size_t& out)
{
    out = base + add;
    return out >= base && view.Has(out, 0);
}

bool FindObject(const BlockView& view, uint32_t objectIndex, size_t& object)
{
    uint32_t headerLength = 0, count = 0;
    if (!view.U32(kBlockHeaderLength, headerLength) || !view.U32(kBlockNumObjectTypes, count))
        return false;
    size_t at = 0;
    if (!Add(view, 0, headerLength, at))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t title = 0, length = 0;
        if (!view.Has(at, kObjectSize) || !view.U32(at + kObjectNameTitleIndex, title))
            return false;
        if (title == objectIndex) {
            object = at;
            return true;
        }
        if (!view.U32(at + kObjectTotalByteLength, length) || !Advance(view, at, length, at))
            return false;
    }
    return false;
}

bool FindCounterOffset(const BlockView& view, size_t object, uint32_t counterIndex,
                       uint32_t& counterOffset)
{
    uint32_t headerLength = 0, count = 0;
    if (!view.U32(object + kObjectHeaderLength, headerLength) ||
        !view.U32(object + kObjectNumCounters, count))
        return false;
    size_t at = 0;
    if (!Add(view, object, headerLength, at))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t title = 0, length = 0;
        if (!view.Has(at, kCounterSize) || !view.U32(at + kCounterNameTitleIndex, title))
            return false;
        if (title == counterIndex)
            return view.U32(at + kCounterOffset, counterOffset);
        if (!view.U32(at + kCounterByteLength, length) || !Advance(view, at, length, at))
            return false;
    }
    return false;
}

// The counter block of the matching instance, or false.
bool FindInstanceBlock(const BlockView& view, size_t object, uint32_t count,
                       const PerfInstanceMatcher* matcher, size_t& counterBlock)
{
    uint32_t definitionLength = 0;
    if (!matcher || !view.U32(object + kObjectDefinitionLength, definitionLength))
        return false;
    size_t at = 0;
    if (!Add(view, object, definitionLength, at))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = 0, nameOffset = 0, nameBytes = 0, blockLength = 0;
        if (!view.Has(at, kInstanceSize) || !view.U32(at + kInstanceByteLength, length) ||
            !view.U32(at + kInstanceNameOffset, nameOffset) ||
            !view.U32(at + kInstanceNameLength, nameBytes))
            return false;
        size_t block = 0;
        if (!Advance(view, at, length, block))
            return false;
        // The name, in bytes with its terminator; a name that leaves the
        // block matches nothing.
        size_t name = 0;
        if (nameOffset >= kInstanceSize && Add(view, at, nameOffset, name) &&
            view.Has(name, nameBytes)) {
            size_t chars = nameBytes / 2;
            std::vector<uint16_t> text(chars);
            if (chars)
                std::memcpy(text.data(), view.At(name), chars * 2);
            while (chars > 0 && text[chars - 1] == 0)
                --chars;
            for (size_t k = 0; k < chars; ++k)
                if (text[k] == 0)
                    chars = k;
            if (matcher->Matches(text.data(), chars)) {
                counterBlock = block;
                return true;
            }
        }
        if (!view.U32(block + kCounterBlockByteLength, blockLength) ||
            !Advance(view, block, blockLength, at))
            return false;
    }
    return false;
}

} // namespace

bool PerfAsciiNameMatcher::Matches(const uint16_t* name, size_t length) const
{
    if (!m_name)
        return false;
    const size_t wanted = std::strlen(m_name);
    if (wanted != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        unsigned a = name[i];
        unsigned b = static_cast<unsigned char>(m_name[i]);
        if (a >= 'A' && a <= 'Z')
            a += 'a' - 'A';
        if (b >= 'A' && b <= 'Z')
            b += 'a' - 'A';
        if (a != b)
            return false;
    }
    return true;
}

PerfCounterReading ReadPerfCounter(const uint8_t* block, size_t size, uint32_t objectIndex,
                                   uint32_t counterIndex, const PerfInstanceMatcher* instance)
{
    PerfCounterReading reading = {false, 0, 0};
    const BlockView view(block, size);
    if (!view.Has(0, kBlockSize) || !view.I64(kBlockPerfTime100nSec, reading.time100ns))
        return reading;
    reading.blockValid = true;

    size_t object = 0;
    uint32_t counterOffset = 0;
    if (!FindObject(view, objectIndex, object) ||
        !FindCounterOffset(view, object, counterIndex, counterOffset))
        return reading;

    uint32_t instances = 0, definitionLength = 0;
    if (!view.U32(object + kObjectNumInstances, instances) ||
        !view.U32(object + kObjectDefinitionLength, definitionLength))
        return reading;
    size_t counterBlock = 0;
    if (static_cast<int32_t>(instances) == kNoInstances) {
        if (!Add(view, object, definitionLength, counterBlock))
            return reading;
    } else {
        // A negative count other than "no instances" is as good as none.
        const uint32_t count = static_cast<int32_t>(instances) < 0 ? 0 : instances;
        if (!FindInstanceBlock(view, object, count, instance, counterBlock)) {
            reading.value = -1;
            return reading;
        }
    }
    size_t valueAt = 0;
    if (!Add(view, counterBlock, counterOffset, valueAt) || !view.I64(valueAt, reading.value))
        reading.value = 0;
    return reading;
}

int TotalUsagePercent(int64_t dv, int64_t dt)
{
    if (dt <= 0)
        return 0;
    const double usage = (1.0 - static_cast<double>(dv) / static_cast<double>(dt)) * 100.0 + 0.5;
    if (usage < 0.0)
        return 0;
    return usage > 2147483647.0 ? 2147483647 : static_cast<int>(usage);
}

int ProcessUsagePercent(int64_t dv, int64_t dt)
{
    if (dt <= 0)
        return 0;
    const double usage = static_cast<double>(dv) / static_cast<double>(dt) * 100.0;
    if (usage < 0.0)
        return 0;
    return usage > 2147483647.0 ? 2147483647 : static_cast<int>(usage);
}
