// midi::CMIDIInDevice: one MIDI input port. Every incoming message goes to
// its sink (midi::CMIDIInputSink) on the driver's callback thread. State
// closed -> Open -> opened -> StartReceiving -> receiving -> StopReceiving
// -> opened -> Close -> closed. A worker thread lives while receiving and
// releases the system-exclusive headers the driver is done with.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "input/midi/MidiHeaderQueue.h"

#include <atomic>

namespace midi {

class CMIDIInputSink
{
public:
    virtual ~CMIDIInputSink() = default;
    virtual void ReceiveLongMessage(const BYTE* bytes, DWORD count, DWORD timestamp) = 0;
    virtual void ReceiveShortMessage(DWORD packed, DWORD timestamp) = 0;
    virtual void OnLongMessageError(const BYTE* bytes, DWORD count, DWORD timestamp) = 0;
    virtual void OnShortMessageError(DWORD packed, DWORD timestamp) = 0;
};

class CMIDIInDevice
{
public:
    enum State
    {
        Closed = 0,
        Opened = 1,
        Receiving = 2
    };

    // Construction
    // Throws CMIDIInEventFailure when the event cannot be created.
    CMIDIInDevice();
    ~CMIDIInDevice();
    CMIDIInDevice(const CMIDIInDevice&) = delete;
    CMIDIInDevice& operator=(const CMIDIInDevice&) = delete;

    // Attributes
    // Sets the sink (not owned); returns the previous one.
    CMIDIInputSink* SetReceiver(CMIDIInputSink* sink);
    bool IsOpen() const { return m_state.load() != Closed; }
    bool IsReceiving() const { return m_state.load() == Receiving; }
    static UINT GetNumDevs();
    // Throws CMIDIInException.
    static void GetDevCaps(UINT id, MIDIINCAPSA& caps);

    // Operations
    // Closes first; throws CMIDIInException when the port cannot be opened.
    void Open(UINT id);
    // Only from opened; throws CMIDIInException (back in opened) on failure.
    void StartReceiving();
    // Only from receiving.
    void StopReceiving();
    void Close();

private:
    static void CALLBACK InputProc(HMIDIIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);
    static DWORD WINAPI WorkerProc(LPVOID parameter);
    void EndWorker();
    static MMRESULT UnprepareHeader(HMIDIIN handle, MIDIHDR* header);

    HMIDIIN m_hIn = nullptr;
    HANDLE m_hEvent = nullptr;
    HANDLE m_hWorker = nullptr;
    std::atomic<CMIDIInputSink*> m_sink{nullptr};
    MidiHeaderQueue<HMIDIIN> m_headers{&UnprepareHeader};
    std::atomic<int> m_state{Closed};
};

} // namespace midi
