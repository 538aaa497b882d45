#include "input/midi/MIDIMessage.h"

#include "input/midi/MIDIOutDevice.h"
#include "input/midi/MidiBytes.h"

#include <cstring>

namespace midi {

CMIDIShortMessage::CMIDIShortMessage(int command, int channel, int data1, int data2, DWORD timestamp)
    : m_timestamp(timestamp)
{
    SetMessage(command, channel, data1, data2);
}

BYTE CMIDIShortMessage::GetChannel() const { return ChannelOf(m_packed); }
BYTE CMIDIShortMessage::GetCommand() const { return CommandOf(m_packed); }
BYTE CMIDIShortMessage::GetData1() const { return Data1Of(m_packed); }
BYTE CMIDIShortMessage::GetData2() const { return Data2Of(m_packed); }

void CMIDIShortMessage::SetMessage(int command, int channel, int data1, int data2)
{
    m_packed = PackShortMessage(command, channel, data1, data2);
}

bool CMIDIShortMessage::SendTo(CMIDIOutDevice& device)
{
    return device.SendShortMessage(m_packed);
}

CMIDILongMessage::CMIDILongMessage(const BYTE* bytes, DWORD count)
{
    SetMessage(bytes, count);
}

CMIDILongMessage::~CMIDILongMessage()
{
    delete[] m_bytes;
}

void CMIDILongMessage::SetMessage(const BYTE* bytes, DWORD count)
{
    delete[] m_bytes;
    m_bytes = nullptr;
    m_count = 0;
    if (!bytes || count == 0)
        return;
    m_bytes = new BYTE[count];
    std::memcpy(m_bytes, bytes, count);
    m_count = count;
}

bool CMIDILongMessage::SendTo(CMIDIOutDevice& device)
{
    return device.SendLongMessage(m_bytes, m_count);
}

} // namespace midi
