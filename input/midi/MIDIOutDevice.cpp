#include "input/midi/MIDIOutDevice.h"

#include "foundation/app/MessageTexts.h"
#include "input/midi/MIDIExceptions.h"
#include "input/midi/MidiApi.h"
#include "input/midi/MidiBytes.h"
#include "input/midi/MidiHost.h"

#include <new>

namespace midi {

namespace {

std::atomic<MidiDeviceHost*> g_host{nullptr};

} // namespace

MidiDeviceHost* SetMidiDeviceHost(MidiDeviceHost* host)
{
    return g_host.exchange(host);
}

MidiDeviceHost* GetMidiDeviceHost()
{
    return g_host.load();
}

CMIDIOutDevice::CMIDIOutDevice()
{
    m_hEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!m_hEvent)
        throw CMIDIOutEventFailure();
}

CMIDIOutDevice::~CMIDIOutDevice()
{
    Close();
    ::CloseHandle(m_hEvent);
    m_headers.ReleaseAll();
}

MMRESULT CMIDIOutDevice::UnprepareHeader(HMIDIOUT handle, MIDIHDR* header)
{
    return GetMidiApi().OutUnprepareHeader(handle, header);
}

UINT CMIDIOutDevice::GetNumDevs()
{
    return GetMidiApi().OutGetNumDevs();
}

void CMIDIOutDevice::GetDevCaps(UINT id, MIDIOUTCAPSA& caps)
{
    const MMRESULT result = GetMidiApi().OutGetDevCaps(id, &caps);
    if (result != MMSYSERR_NOERROR)
        throw CMIDIOutException(result);
}

void CMIDIOutDevice::Open(UINT id)
{
    Close();
    HMIDIOUT handle = nullptr;
    const MMRESULT result = GetMidiApi().OutOpen(&handle, id, reinterpret_cast<DWORD_PTR>(&DoneProc),
                                                 reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION);
    if (result != MMSYSERR_NOERROR)
        throw CMIDIOutException(result);
    m_hOut = handle;
    m_state = Opened;
    m_hWorker = ::CreateThread(nullptr, 0, &WorkerProc, this, 0, nullptr);
}

void CMIDIOutDevice::Close()
{
    if (m_state.load() != Opened)
        return;
    m_state = Closed;
    ::SetEvent(m_hEvent);
    if (m_hWorker) {
        ::WaitForSingleObject(m_hWorker, INFINITE);
        ::CloseHandle(m_hWorker);
        m_hWorker = nullptr;
    }
    m_headers.ReleaseAll();
    GetMidiApi().OutClose(m_hOut);
    m_hOut = nullptr;
}

bool CMIDIOutDevice::SendShortMessage(DWORD packed)
{
    if (m_state.load() != Opened)
        return true;
    // A data byte above 127 would read as a status byte: clamped, it can
    // never make the driver refuse the message and close the devices.
    const MMRESULT result = GetMidiApi().OutShortMsg(m_hOut, ClampShortMessage(packed));
    if (result == MMSYSERR_NOERROR)
        return true;
    ShowMessageById(MSG_MIDIERROR);
    if (MidiDeviceHost* host = GetMidiDeviceHost())
        host->CloseMidiDevices();
    return false;
}

bool CMIDIOutDevice::SendLongMessage(const BYTE* bytes, DWORD count)
{
    if (m_state.load() != Opened)
        return true;
    HeaderRecord* record = new (std::nothrow) HeaderRecord();
    if (!record)
        throw CMIDIOutMemFailure();
    record->handle = m_hOut;
    record->header.lpData = reinterpret_cast<LPSTR>(const_cast<BYTE*>(bytes));
    record->header.dwBufferLength = count;
    record->header.dwFlags = 0;
    MMRESULT result = GetMidiApi().OutPrepareHeader(m_hOut, &record->header);
    if (result != MMSYSERR_NOERROR) {
        delete record;
        throw CMIDIOutException(result);
    }
    // Queued before the send: the driver may report the block done at once.
    m_headers.Push(record);
    result = GetMidiApi().OutLongMsg(m_hOut, &record->header);
    if (result != MMSYSERR_NOERROR) {
        if (m_headers.Remove(record)) {
            GetMidiApi().OutUnprepareHeader(m_hOut, &record->header);
            delete record;
        }
        throw CMIDIOutException(result);
    }
    return true;
}

void CALLBACK CMIDIOutDevice::DoneProc(HMIDIOUT handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2)
{
    (void)handle;
    (void)param1;
    (void)param2;
    CMIDIOutDevice* device = reinterpret_cast<CMIDIOutDevice*>(instance);
    if (device && message == MOM_DONE)
        ::SetEvent(device->m_hEvent);
}

DWORD WINAPI CMIDIOutDevice::WorkerProc(LPVOID parameter)
{
    CMIDIOutDevice* device = static_cast<CMIDIOutDevice*>(parameter);
    while (device->IsOpen()) {
        ::WaitForSingleObject(device->m_hEvent, INFINITE);
        if (device->IsOpen())
            device->m_headers.ReleaseOldest();
    }
    return 0;
}

} // namespace midi
