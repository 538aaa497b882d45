// The Windows multimedia MIDI functions that the MIDI devices call, behind
// one seam: by default the real WinMM functions; a test (or a benchmark)
// installs its own, since the machines it runs on have no MIDI ports.
#pragma once

#include <windows.h>
#include <mmsystem.h>

namespace midi {

class MidiApi
{
public:
    virtual ~MidiApi() = default;

    // Input
    virtual UINT InGetNumDevs() = 0;
    virtual MMRESULT InGetDevCaps(UINT_PTR id, MIDIINCAPSA* caps) = 0;
    virtual MMRESULT InOpen(HMIDIIN* handle, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) = 0;
    virtual MMRESULT InStart(HMIDIIN handle) = 0;
    virtual MMRESULT InReset(HMIDIIN handle) = 0;
    virtual MMRESULT InClose(HMIDIIN handle) = 0;
    virtual MMRESULT InUnprepareHeader(HMIDIIN handle, MIDIHDR* header) = 0;
    virtual MMRESULT InGetErrorText(MMRESULT error, char* text, UINT size) = 0;

    // Output
    virtual UINT OutGetNumDevs() = 0;
    virtual MMRESULT OutGetDevCaps(UINT_PTR id, MIDIOUTCAPSA* caps) = 0;
    virtual MMRESULT OutOpen(HMIDIOUT* handle, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) = 0;
    virtual MMRESULT OutClose(HMIDIOUT handle) = 0;
    virtual MMRESULT OutShortMsg(HMIDIOUT handle, DWORD message) = 0;
    virtual MMRESULT OutPrepareHeader(HMIDIOUT handle, MIDIHDR* header) = 0;
    virtual MMRESULT OutUnprepareHeader(HMIDIOUT handle, MIDIHDR* header) = 0;
    virtual MMRESULT OutLongMsg(HMIDIOUT handle, MIDIHDR* header) = 0;
    virtual MMRESULT OutGetErrorText(MMRESULT error, char* text, UINT size) = 0;
};

// The functions in use: the real WinMM ones unless a replacement is set.
MidiApi& GetMidiApi();
// Puts api in place (null: the real functions again); returns the one
// before, null when that was the real one. Set it while no device is open.
MidiApi* SetMidiApi(MidiApi* api);

// The real WinMM functions.
MidiApi& WinMMMidiApi();

} // namespace midi
