// The MIDI devices over a driver of the test's own: the input and output
// state machines, delivery to the sink, sending short and long messages,
// driver errors as exceptions, and the messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "FakeMidiApi.h"
#include "RecordingMessages.h"
#include "input/midi/MIDIExceptions.h"
#include "input/midi/MIDIInDevice.h"
#include "input/midi/MIDIMessage.h"
#include "input/midi/MIDIOutDevice.h"
#include "input/midi/MidiHost.h"

namespace {

using midi::CMIDIInDevice;
using midi::CMIDIOutDevice;

// Records what reaches it, on whichever thread.
class RecordingSink : public midi::CMIDIInputSink
{
public:
    void ReceiveLongMessage(const BYTE* bytes, DWORD count, DWORD) override
    {
        longs.push_back(std::string(reinterpret_cast<const char*>(bytes), count));
    }
    void ReceiveShortMessage(DWORD packed, DWORD timestamp) override
    {
        shorts.push_back(packed);
        stamps.push_back(timestamp);
        threads.push_back(::GetCurrentThreadId());
    }
    void OnLongMessageError(const BYTE*, DWORD, DWORD) override { ++longErrors; }
    void OnShortMessageError(DWORD packed, DWORD) override { shortErrors.push_back(packed); }

    std::vector<DWORD> shorts;
    std::vector<DWORD> stamps;
    std::vector<DWORD> threads;
    std::vector<std::string> longs;
    std::vector<DWORD> shortErrors;
    int longErrors = 0;
};

// The main window's part: closing its devices after a failed send.
class StandInHost : public midi::MidiDeviceHost
{
public:
    StandInHost() : m_previous(midi::SetMidiDeviceHost(this)) {}
    ~StandInHost() override { midi::SetMidiDeviceHost(m_previous); }
    CMIDIInDevice& GetMidiIn() override { return in; }
    CMIDIOutDevice& GetMidiOut() override { return out; }
    void CloseMidiDevices() override
    {
        ++closes;
        in.Close();
        out.Close();
    }
    void InitMIDIController() override { ++inits; }

    CMIDIInDevice in;
    CMIDIOutDevice out;
    int closes = 0;
    int inits = 0;

private:
    midi::MidiDeviceHost* m_previous;
};

class MIDIDeviceTest : public ::testing::Test
{
protected:
    FakeMidiApi m_driver;
    RecordingMessages m_messages;
};

TEST_F(MIDIDeviceTest, InputStatesFollowOpenStartStopClose)
{
    CMIDIInDevice device;
    EXPECT_FALSE(device.IsOpen());
    device.StartReceiving(); // closed: nothing
    EXPECT_FALSE(device.IsReceiving());
    EXPECT_EQ(0, m_driver.GetCounts().inStart);

    device.Open(0);
    EXPECT_TRUE(device.IsOpen());
    EXPECT_FALSE(device.IsReceiving());
    device.StopReceiving(); // opened, not receiving: nothing
    EXPECT_EQ(0, m_driver.GetCounts().inReset);
    EXPECT_TRUE(device.IsOpen());

    device.StartReceiving();
    EXPECT_TRUE(device.IsReceiving());
    EXPECT_TRUE(device.IsOpen());
    device.StopReceiving();
    EXPECT_FALSE(device.IsReceiving());
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(1, m_driver.GetCounts().inReset);

    device.StartReceiving();
    device.Close(); // from receiving through opened
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(2, m_driver.GetCounts().inReset);
    EXPECT_EQ(1, m_driver.GetCounts().inClose);
    EXPECT_FALSE(m_driver.IsInputOpen());
}

TEST_F(MIDIDeviceTest, AFailedReopenLeavesTheInputClosed)
{
    CMIDIInDevice device;
    device.Open(0);
    device.StartReceiving();
    m_driver.inOpenError = MMSYSERR_ALLOCATED;
    try {
        device.Open(0);
        FAIL() << "no exception";
    } catch (const midi::CMIDIInException& error) {
        EXPECT_EQ(FakeMidiApi::ErrorText(MMSYSERR_ALLOCATED), error.what());
        EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_ALLOCATED), error.GetError());
    }
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(1, m_driver.GetCounts().inClose);
}

TEST_F(MIDIDeviceTest, AFailedStartIsBackInOpened)
{
    CMIDIInDevice device;
    device.Open(0);
    m_driver.inStartError = MMSYSERR_NOMEM;
    EXPECT_THROW(device.StartReceiving(), midi::CMIDIInException);
    EXPECT_TRUE(device.IsOpen());
    EXPECT_FALSE(device.IsReceiving());
    m_driver.inStartError = MMSYSERR_NOERROR;
    device.StartReceiving(); // the worker of the failed start has gone; a new one starts
    EXPECT_TRUE(device.IsReceiving());
}

TEST_F(MIDIDeviceTest, MessagesReachTheSinkOnTheDriversThread)
{
    CMIDIInDevice device;
    RecordingSink sink;
    EXPECT_EQ(nullptr, device.SetReceiver(&sink));
    device.Open(0);
    // Opened but not receiving: short messages still arrive.
    std::thread driver([&] {
        EXPECT_TRUE(m_driver.DeliverShort(0x00403C90, 1234));
        EXPECT_TRUE(m_driver.Deliver(MIM_ERROR, 0x00000005, 99));
    });
    driver.join();
    ASSERT_EQ(1u, sink.shorts.size());
    EXPECT_EQ(0x00403C90u, sink.shorts[0]);
    EXPECT_EQ(1234u, sink.stamps[0]);
    EXPECT_NE(::GetCurrentThreadId(), sink.threads[0]);
    ASSERT_EQ(1u, sink.shortErrors.size());
    EXPECT_EQ(5u, sink.shortErrors[0]);

    // Long data counts only while receiving.
    char bytes[] = "\xF0\x01\xF7";
    MIDIHDR header = {};
    header.lpData = bytes;
    header.dwBytesRecorded = 3;
    m_driver.Deliver(MIM_LONGDATA, reinterpret_cast<DWORD_PTR>(&header), 0);
    EXPECT_TRUE(sink.longs.empty());
    device.StartReceiving();
    m_driver.Deliver(MIM_LONGDATA, reinterpret_cast<DWORD_PTR>(&header), 0);
    m_driver.Deliver(MIM_LONGERROR, reinterpret_cast<DWORD_PTR>(&header), 0);
    ASSERT_EQ(1u, sink.longs.size());
    EXPECT_EQ(std::string(bytes, 3), sink.longs[0]);
    EXPECT_EQ(1, sink.longErrors);

    // Without a sink nothing is delivered.
    EXPECT_EQ(&sink, device.SetReceiver(nullptr));
    m_driver.DeliverShort(0x00403C90);
    EXPECT_EQ(1u, sink.shorts.size());
}

TEST_F(MIDIDeviceTest, DeviceCapabilitiesAndTheirErrors)
{
    m_driver.inputNames = {"Keys", "Pads"};
    m_driver.outputNames = {"Lights"};
    EXPECT_EQ(2u, CMIDIInDevice::GetNumDevs());
    EXPECT_EQ(1u, CMIDIOutDevice::GetNumDevs());
    MIDIINCAPSA in = {};
    CMIDIInDevice::GetDevCaps(1, in);
    EXPECT_STREQ("Pads", in.szPname);
    MIDIOUTCAPSA out = {};
    CMIDIOutDevice::GetDevCaps(0, out);
    EXPECT_STREQ("Lights", out.szPname);
    EXPECT_THROW(CMIDIInDevice::GetDevCaps(2, in), midi::CMIDIInException);
    try {
        CMIDIOutDevice::GetDevCaps(5, out);
        FAIL() << "no exception";
    } catch (const midi::CMIDIOutException& error) {
        EXPECT_EQ(FakeMidiApi::ErrorText(MMSYSERR_BADDEVICEID), error.what());
    }
}

TEST_F(MIDIDeviceTest, TheFixedExceptionTexts)
{
    EXPECT_STREQ("Unable to create a signalling event for CMIDIInDevice object.", midi::CMIDIInEventFailure().what());
    EXPECT_STREQ("Unable to create a signalling event for CMIDIOutDevice object.", midi::CMIDIOutEventFailure().what());
    const midi::CMIDIOutMemFailure memory;
    const std::bad_alloc& asBadAlloc = memory;
    EXPECT_STREQ("Memory allocation within a CMIDIOutDevice object failed.", asBadAlloc.what());
}

TEST_F(MIDIDeviceTest, AClosedOutputSendsNothingAndSucceeds)
{
    CMIDIOutDevice device;
    EXPECT_TRUE(device.SendShortMessage(0x007F3C90));
    const BYTE block[] = {0xF0, 0x7E, 0xF7};
    EXPECT_TRUE(device.SendLongMessage(block, sizeof(block)));
    EXPECT_TRUE(m_driver.GetSentShort().empty());
    EXPECT_EQ(0, m_driver.GetCounts().outLong);
}

TEST_F(MIDIDeviceTest, OutputOpenFailureLeavesItClosed)
{
    CMIDIOutDevice device;
    m_driver.outOpenError = MMSYSERR_ALLOCATED;
    EXPECT_THROW(device.Open(0), midi::CMIDIOutException);
    EXPECT_FALSE(device.IsOpen());
    m_driver.outOpenError = MMSYSERR_NOERROR;
    device.Open(0);
    EXPECT_TRUE(device.IsOpen());
    device.Open(0); // reopens: closes first
    EXPECT_EQ(1, m_driver.GetCounts().outClose);
    device.Close();
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(m_driver.IsOutputOpen());
}

TEST_F(MIDIDeviceTest, OutOfRangeDataBytesAreClampedAndNeverCloseTheDevices)
{
    StandInHost host;
    host.in.Open(0);
    host.out.Open(0);
    midi::CMIDIShortMessage built(0xB0, 2, 300, -4);
    EXPECT_TRUE(built.SendTo(host.out));
    EXPECT_TRUE(host.out.SendShortMessage(0x00FF80B0)); // data bytes 0x80 and 0xFF
    EXPECT_TRUE(host.out.SendShortMessage(0x7F123490)); // a stray top byte
    const std::vector<DWORD> sent = m_driver.GetSentShort();
    ASSERT_EQ(3u, sent.size());
    EXPECT_EQ(0x00007FB2u, sent[0]);
    EXPECT_EQ(0x007F7FB0u, sent[1]);
    EXPECT_EQ(0x00123490u, sent[2]);
    EXPECT_EQ(0, host.closes);
    EXPECT_TRUE(host.out.IsOpen());
    EXPECT_TRUE(host.in.IsOpen());
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(MIDIDeviceTest, ADriverErrorOnASendIsReportedAndClosesTheDevices)
{
    StandInHost host;
    host.in.Open(0);
    host.in.StartReceiving();
    host.out.Open(0);
    m_driver.outShortError = MMSYSERR_NOTENABLED;
    EXPECT_FALSE(host.out.SendShortMessage(0x00403C90));
    EXPECT_EQ(1, host.closes);
    EXPECT_FALSE(host.out.IsOpen());
    EXPECT_FALSE(host.in.IsOpen());
    EXPECT_EQ(1u, m_messages.shown.size());
}

TEST_F(MIDIDeviceTest, LongMessagesAreReleasedWhenTheDriverIsDone)
{
    CMIDIOutDevice device;
    device.Open(0);
    const BYTE first[] = {0xF0, 0x01, 0xF7};
    const BYTE second[] = {0xF0, 0x02, 0x03, 0xF7};
    midi::CMIDILongMessage message(second, sizeof(second));
    EXPECT_TRUE(device.SendLongMessage(first, sizeof(first)));
    EXPECT_TRUE(message.SendTo(device));
    EXPECT_EQ(2, m_driver.GetCounts().outLong);
    EXPECT_EQ(0, m_driver.GetCounts().outUnprepare);
    ASSERT_TRUE(m_driver.CompleteOldestBlock());
    // The worker releases it on its own thread.
    const DWORD start = ::GetTickCount();
    while (m_driver.GetCounts().outUnprepare < 1 && ::GetTickCount() - start < 5000)
        ::Sleep(1);
    EXPECT_EQ(1, m_driver.GetCounts().outUnprepare);
    // Closing releases what is still queued.
    device.Close();
    EXPECT_EQ(2, m_driver.GetCounts().outUnprepare);
    EXPECT_FALSE(m_driver.IsOutputOpen());
}

TEST_F(MIDIDeviceTest, LongSendErrorsThrowAndReleaseTheHeader)
{
    CMIDIOutDevice device;
    device.Open(0);
    const BYTE block[] = {0xF0, 0x01, 0xF7};
    m_driver.outPrepareError = MMSYSERR_NOMEM;
    EXPECT_THROW(device.SendLongMessage(block, sizeof(block)), midi::CMIDIOutException);
    EXPECT_EQ(0, m_driver.GetCounts().outLong);
    m_driver.outPrepareError = MMSYSERR_NOERROR;
    m_driver.outLongError = MIDIERR_NOTREADY;
    try {
        device.SendLongMessage(block, sizeof(block));
        FAIL() << "no exception";
    } catch (const midi::CMIDIOutException& error) {
        EXPECT_EQ(FakeMidiApi::ErrorText(MIDIERR_NOTREADY), error.what());
    }
    EXPECT_EQ(1, m_driver.GetCounts().outUnprepare);
    device.Close();
    EXPECT_EQ(1, m_driver.GetCounts().outUnprepare); // nothing left queued
}

TEST_F(MIDIDeviceTest, ShortMessageFieldsAndLongMessageCopies)
{
    midi::CMIDIShortMessage message(77);
    EXPECT_EQ(0u, message.GetPacked());
    message.SetMessage(0x90, 1, 60, 127);
    EXPECT_EQ(0x007F3C91u, message.GetPacked());
    EXPECT_EQ(1, message.GetChannel());
    EXPECT_EQ(0x90, message.GetCommand());
    EXPECT_EQ(60, message.GetData1());
    EXPECT_EQ(127, message.GetData2());
    EXPECT_EQ(3u, message.GetLength());
    EXPECT_EQ(0x91, message.GetData()[0]);
    EXPECT_EQ(60, message.GetData()[1]);
    EXPECT_EQ(127, message.GetData()[2]);
    EXPECT_EQ(77u, message.GetTimestamp());

    BYTE bytes[] = {0xF0, 0x10, 0xF7};
    midi::CMIDILongMessage block(bytes, sizeof(bytes));
    bytes[1] = 0x20;
    EXPECT_EQ(3u, block.GetLength());
    EXPECT_EQ(0x10, block.GetData()[1]);
    const BYTE other[] = {0xF0, 0xF7};
    block.SetMessage(other, sizeof(other));
    EXPECT_EQ(2u, block.GetLength());
    EXPECT_EQ(0xF7, block.GetData()[1]);
}

} // namespace
