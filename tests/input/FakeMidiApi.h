// A MIDI driver for tests: ports that exist only in this process. It keeps
// the callbacks the devices register, so a test (from any thread) can
// deliver input messages and report sent blocks done, and it records what
// the devices send. Installed for the object's life.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <mutex>
#include <string>
#include <vector>

#include "input/midi/MidiApi.h"

class FakeMidiApi : public midi::MidiApi
{
public:
    FakeMidiApi();
    ~FakeMidiApi() override;
    FakeMidiApi(const FakeMidiApi&) = delete;
    FakeMidiApi& operator=(const FakeMidiApi&) = delete;

    // Set up
    std::vector<std::string> inputNames{"Fake In 1"};
    std::vector<std::string> outputNames{"Fake Out 1"};
    MMRESULT inOpenError = MMSYSERR_NOERROR;
    MMRESULT inStartError = MMSYSERR_NOERROR;
    MMRESULT outOpenError = MMSYSERR_NOERROR;
    MMRESULT outShortError = MMSYSERR_NOERROR;
    MMRESULT outPrepareError = MMSYSERR_NOERROR;
    MMRESULT outLongError = MMSYSERR_NOERROR;
    MMRESULT capsError = MMSYSERR_NOERROR;
    // Like a strict driver: a short message with a data byte above 127 fails.
    bool rejectBadDataBytes = true;

    // Driving the input (from any thread): calls the open input's callback.
    // False when no input is open.
    bool Deliver(UINT message, DWORD_PTR param1, DWORD_PTR param2 = 0);
    bool DeliverShort(DWORD packed, DWORD timestamp = 0) { return Deliver(MIM_DATA, packed, timestamp); }
    // Reports the oldest sent block done (MOM_DONE); false when none waits.
    bool CompleteOldestBlock();

    // What happened
    struct Counts
    {
        int inOpen = 0, inStart = 0, inReset = 0, inClose = 0;
        int outOpen = 0, outClose = 0, outPrepare = 0, outUnprepare = 0, outLong = 0;
    };
    Counts GetCounts() const;
    std::vector<DWORD> GetSentShort() const;
    bool IsInputOpen() const;
    bool IsOutputOpen() const;
    // The text a code gives: "fake driver error N".
    static std::string ErrorText(MMRESULT error);

    // The seam
    UINT InGetNumDevs() override;
    MMRESULT InGetDevCaps(UINT_PTR id, MIDIINCAPSA* caps) override;
    MMRESULT InOpen(HMIDIIN* handle, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) override;
    MMRESULT InStart(HMIDIIN handle) override;
    MMRESULT InReset(HMIDIIN handle) override;
    MMRESULT InClose(HMIDIIN handle) override;
    MMRESULT InUnprepareHeader(HMIDIIN handle, MIDIHDR* header) override;
    MMRESULT InGetErrorText(MMRESULT error, char* text, UINT size) override;
    UINT OutGetNumDevs() override;
    MMRESULT OutGetDevCaps(UINT_PTR id, MIDIOUTCAPSA* caps) override;
    MMRESULT OutOpen(HMIDIOUT* handle, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) override;
    MMRESULT OutClose(HMIDIOUT handle) override;
    MMRESULT OutShortMsg(HMIDIOUT handle, DWORD message) override;
    MMRESULT OutPrepareHeader(HMIDIOUT handle, MIDIHDR* header) override;
    MMRESULT OutUnprepareHeader(HMIDIOUT handle, MIDIHDR* header) override;
    MMRESULT OutLongMsg(HMIDIOUT handle, MIDIHDR* header) override;
    MMRESULT OutGetErrorText(MMRESULT error, char* text, UINT size) override;

private:
    using InProc = void(CALLBACK*)(HMIDIIN, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR);
    using OutProc = void(CALLBACK*)(HMIDIOUT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR);

    mutable std::mutex m_lock;
    // Held while a callback runs, so that closing waits for it as a driver does.
    std::mutex m_callbackLock;
    midi::MidiApi* m_previous;
    Counts m_counts;
    InProc m_inProc = nullptr;
    DWORD_PTR m_inInstance = 0;
    OutProc m_outProc = nullptr;
    DWORD_PTR m_outInstance = 0;
    std::vector<DWORD> m_sent;
    std::vector<MIDIHDR*> m_pendingBlocks;
};
