// midi::CMIDIOutDevice: one MIDI output port, sending channel messages and
// system-exclusive blocks. State closed <-> opened; a worker thread lives
// while opened and releases each block's header once the driver reports it
// done (blocks complete in the order they were sent).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "input/midi/MidiHeaderQueue.h"

#include <atomic>

namespace midi {

class CMIDIOutDevice
{
public:
    enum State
    {
        Closed = 0,
        Opened = 1
    };

    // Construction
    // Throws CMIDIOutEventFailure when the event cannot be created.
    CMIDIOutDevice();
    ~CMIDIOutDevice();
    CMIDIOutDevice(const CMIDIOutDevice&) = delete;
    CMIDIOutDevice& operator=(const CMIDIOutDevice&) = delete;

    // Attributes
    bool IsOpen() const { return m_state.load() == Opened; }
    static UINT GetNumDevs();
    // Throws CMIDIOutException.
    static void GetDevCaps(UINT id, MIDIOUTCAPSA& caps);

    // Operations
    // Closes first; throws CMIDIOutException (and stays closed) on failure.
    void Open(UINT id);
    void Close();
    // Sends nothing and returns true when closed. The data bytes are
    // clamped to 0..127. A driver error is reported (notice 4006), the main
    // window's MIDI devices are closed and false returned.
    bool SendShortMessage(DWORD packed);
    // Sends nothing and returns true when closed. The bytes are not
    // copied: keep them until the driver is done. Throws CMIDIOutMemFailure
    // or CMIDIOutException.
    bool SendLongMessage(const BYTE* bytes, DWORD count);

private:
    using HeaderRecord = MidiHeaderQueue<HMIDIOUT>::Record;

    static void CALLBACK DoneProc(HMIDIOUT handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);
    static DWORD WINAPI WorkerProc(LPVOID parameter);
    static MMRESULT UnprepareHeader(HMIDIOUT handle, MIDIHDR* header);

    HMIDIOUT m_hOut = nullptr;
    HANDLE m_hEvent = nullptr;
    HANDLE m_hWorker = nullptr;
    MidiHeaderQueue<HMIDIOUT> m_headers{&UnprepareHeader};
    std::atomic<int> m_state{Closed};
};

} // namespace midi
