#include "input/midi/MidiBytes.h"

namespace midi {

uint8_t ClampDataByte(int value)
{
    if (value < 0)
        return 0;
    if (value > 127)
        return 127;
    return static_cast<uint8_t>(value);
}

uint32_t PackShortMessage(int command, int channel, int data1, int data2)
{
    const uint32_t status = (static_cast<uint32_t>(command) & 0xFF) | (static_cast<uint32_t>(channel) & 0xFF);
    return status | (static_cast<uint32_t>(ClampDataByte(data1)) << 8) | (static_cast<uint32_t>(ClampDataByte(data2)) << 16);
}

uint32_t ClampShortMessage(uint32_t packed)
{
    return StatusOf(packed) | (static_cast<uint32_t>(ClampDataByte(Data1Of(packed))) << 8)
           | (static_cast<uint32_t>(ClampDataByte(Data2Of(packed))) << 16);
}

} // namespace midi
