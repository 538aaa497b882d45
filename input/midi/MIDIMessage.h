// MIDI messages: CMIDIMessage (abstract), CMIDIShortMessage (one channel
// message, packed as the multimedia functions carry it) and
// CMIDILongMessage (one system-exclusive block, owning a copy of its bytes).
#pragma once

#include <windows.h>

#include <cstdint>

namespace midi {

class CMIDIOutDevice;

class CMIDIMessage
{
public:
    virtual ~CMIDIMessage() = default;
    virtual bool SendTo(CMIDIOutDevice& device) = 0;
    virtual DWORD GetLength() const = 0;
    virtual const BYTE* GetData() const = 0;
};

class CMIDIShortMessage : public CMIDIMessage
{
public:
    // Construction
    explicit CMIDIShortMessage(DWORD timestamp = 0) : m_timestamp(timestamp) {}
    CMIDIShortMessage(DWORD packed, DWORD timestamp) : m_timestamp(timestamp), m_packed(packed) {}
    CMIDIShortMessage(int command, int channel, int data1, int data2, DWORD timestamp = 0);

    // Attributes
    DWORD GetLength() const override { return 3; }
    // The packed message's bytes: status, data 1, data 2.
    const BYTE* GetData() const override { return reinterpret_cast<const BYTE*>(&m_packed); }
    DWORD GetPacked() const { return m_packed; }
    DWORD GetTimestamp() const { return m_timestamp; }
    BYTE GetChannel() const;
    BYTE GetCommand() const;
    BYTE GetData1() const;
    BYTE GetData2() const;

    // Operations
    // status = command OR channel; the data bytes are clamped to 0..127.
    void SetMessage(int command, int channel, int data1, int data2);
    bool SendTo(CMIDIOutDevice& device) override;

private:
    DWORD m_timestamp = 0;
    DWORD m_packed = 0; // little-endian: status, data 1, data 2, 0
};

class CMIDILongMessage : public CMIDIMessage
{
public:
    // Construction
    CMIDILongMessage(const BYTE* bytes, DWORD count);
    ~CMIDILongMessage() override;
    CMIDILongMessage(const CMIDILongMessage&) = delete;
    CMIDILongMessage& operator=(const CMIDILongMessage&) = delete;

    // Attributes
    DWORD GetLength() const override { return m_count; }
    const BYTE* GetData() const override { return m_bytes; }

    // Operations
    // Replaces the bytes with a copy of these.
    void SetMessage(const BYTE* bytes, DWORD count);
    // The device sends the copy without copying it again: keep this
    // message unchanged until the driver is done with the block.
    bool SendTo(CMIDIOutDevice& device) override;

private:
    BYTE* m_bytes = nullptr;
    DWORD m_count = 0;
};

} // namespace midi
