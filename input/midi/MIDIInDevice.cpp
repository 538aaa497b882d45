#include "input/midi/MIDIInDevice.h"

#include "input/midi/MIDIExceptions.h"
#include "input/midi/MidiApi.h"

namespace midi {

CMIDIInDevice::CMIDIInDevice()
{
    m_hEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!m_hEvent)
        throw CMIDIInEventFailure();
}

CMIDIInDevice::~CMIDIInDevice()
{
    Close();
    ::CloseHandle(m_hEvent);
    m_headers.ReleaseAll();
}

MMRESULT CMIDIInDevice::UnprepareHeader(HMIDIIN handle, MIDIHDR* header)
{
    return GetMidiApi().InUnprepareHeader(handle, header);
}

CMIDIInputSink* CMIDIInDevice::SetReceiver(CMIDIInputSink* sink)
{
    return m_sink.exchange(sink);
}

UINT CMIDIInDevice::GetNumDevs()
{
    return GetMidiApi().InGetNumDevs();
}

void CMIDIInDevice::GetDevCaps(UINT id, MIDIINCAPSA& caps)
{
    const MMRESULT result = GetMidiApi().InGetDevCaps(id, &caps);
    if (result != MMSYSERR_NOERROR)
        throw CMIDIInException(result);
}

void CMIDIInDevice::Open(UINT id)
{
    Close();
    HMIDIIN handle = nullptr;
    const MMRESULT result = GetMidiApi().InOpen(&handle, id, reinterpret_cast<DWORD_PTR>(&InputProc),
                                                reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION);
    if (result != MMSYSERR_NOERROR)
        throw CMIDIInException(result);
    m_hIn = handle;
    m_state = Opened;
}

void CMIDIInDevice::StartReceiving()
{
    if (m_state.load() != Opened)
        return;
    m_state = Receiving;
    m_hWorker = ::CreateThread(nullptr, 0, &WorkerProc, this, 0, nullptr);
    const MMRESULT result = GetMidiApi().InStart(m_hIn);
    if (result != MMSYSERR_NOERROR) {
        m_state = Opened;
        EndWorker();
        throw CMIDIInException(result);
    }
}

void CMIDIInDevice::StopReceiving()
{
    if (m_state.load() != Receiving)
        return;
    m_state = Opened;
    EndWorker();
    GetMidiApi().InReset(m_hIn);
    m_headers.ReleaseAll();
}

void CMIDIInDevice::Close()
{
    if (m_state.load() == Receiving)
        StopReceiving();
    if (m_state.load() == Opened) {
        GetMidiApi().InClose(m_hIn);
        m_hIn = nullptr;
        m_state = Closed;
    }
}

void CMIDIInDevice::EndWorker()
{
    // The state is published before the wake-up; the worker reads it again.
    ::SetEvent(m_hEvent);
    if (m_hWorker) {
        ::WaitForSingleObject(m_hWorker, INFINITE);
        ::CloseHandle(m_hWorker);
        m_hWorker = nullptr;
    }
}

void CALLBACK CMIDIInDevice::InputProc(HMIDIIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2)
{
    (void)handle;
    CMIDIInDevice* device = reinterpret_cast<CMIDIInDevice*>(instance);
    if (!device)
        return;
    CMIDIInputSink* sink = device->m_sink.load();
    if (!sink)
        return;
    const DWORD timestamp = static_cast<DWORD>(param2);
    switch (message) {
    case MIM_DATA:
        sink->ReceiveShortMessage(static_cast<DWORD>(param1), timestamp);
        break;
    case MIM_ERROR:
        sink->OnShortMessageError(static_cast<DWORD>(param1), timestamp);
        break;
    case MIM_LONGDATA:
    case MIM_LONGERROR:
        if (device->IsReceiving()) {
            const MIDIHDR* header = reinterpret_cast<const MIDIHDR*>(param1);
            const BYTE* bytes = header ? reinterpret_cast<const BYTE*>(header->lpData) : nullptr;
            const DWORD count = header ? header->dwBytesRecorded : 0;
            if (message == MIM_LONGDATA)
                sink->ReceiveLongMessage(bytes, count, timestamp);
            else
                sink->OnLongMessageError(bytes, count, timestamp);
            ::SetEvent(device->m_hEvent);
        }
        break;
    default:
        break;
    }
}

DWORD WINAPI CMIDIInDevice::WorkerProc(LPVOID parameter)
{
    CMIDIInDevice* device = static_cast<CMIDIInDevice*>(parameter);
    while (device->IsReceiving()) {
        ::WaitForSingleObject(device->m_hEvent, INFINITE);
        if (device->IsReceiving())
            device->m_headers.ReleaseOldest();
    }
    return 0;
}

} // namespace midi
