#include "input/midi/MidiApi.h"

#include <atomic>

namespace midi {

namespace {

class WinMM : public MidiApi
{
public:
    UINT InGetNumDevs() override { return ::midiInGetNumDevs(); }
    MMRESULT InGetDevCaps(UINT_PTR id, MIDIINCAPSA* caps) override { return ::midiInGetDevCapsA(id, caps, sizeof(*caps)); }
    MMRESULT InOpen(HMIDIIN* handle, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) override
    {
        return ::midiInOpen(handle, id, callback, instance, flags);
    }
    MMRESULT InStart(HMIDIIN handle) override { return ::midiInStart(handle); }
    MMRESULT InReset(HMIDIIN handle) override { return ::midiInReset(handle); }
    MMRESULT InClose(HMIDIIN handle) override { return ::midiInClose(handle); }
    MMRESULT InUnprepareHeader(HMIDIIN handle, MIDIHDR* header) override
    {
        return ::midiInUnprepareHeader(handle, header, sizeof(*header));
    }
    MMRESULT InGetErrorText(MMRESULT error, char* text, UINT size) override { return ::midiInGetErrorTextA(error, text, size); }

    UINT OutGetNumDevs() override { return ::midiOutGetNumDevs(); }
    MMRESULT OutGetDevCaps(UINT_PTR id, MIDIOUTCAPSA* caps) override { return ::midiOutGetDevCapsA(id, caps, sizeof(*caps)); }
    MMRESULT OutOpen(HMIDIOUT* handle, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) override
    {
        return ::midiOutOpen(handle, id, callback, instance, flags);
    }
    MMRESULT OutClose(HMIDIOUT handle) override { return ::midiOutClose(handle); }
    MMRESULT OutShortMsg(HMIDIOUT handle, DWORD message) override { return ::midiOutShortMsg(handle, message); }
    MMRESULT OutPrepareHeader(HMIDIOUT handle, MIDIHDR* header) override
    {
        return ::midiOutPrepareHeader(handle, header, sizeof(*header));
    }
    MMRESULT OutUnprepareHeader(HMIDIOUT handle, MIDIHDR* header) override
    {
        return ::midiOutUnprepareHeader(handle, header, sizeof(*header));
    }
    MMRESULT OutLongMsg(HMIDIOUT handle, MIDIHDR* header) override { return ::midiOutLongMsg(handle, header, sizeof(*header)); }
    MMRESULT OutGetErrorText(MMRESULT error, char* text, UINT size) override { return ::midiOutGetErrorTextA(error, text, size); }
};

std::atomic<MidiApi*> g_api{nullptr};

} // namespace

MidiApi& WinMMMidiApi()
{
    static WinMM api;
    return api;
}

MidiApi& GetMidiApi()
{
    MidiApi* api = g_api.load();
    return api ? *api : WinMMMidiApi();
}

MidiApi* SetMidiApi(MidiApi* api)
{
    return g_api.exchange(api);
}

} // namespace midi
