#include "FakeMidiApi.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

HMIDIIN const kInHandle = reinterpret_cast<HMIDIIN>(static_cast<UINT_PTR>(0x1234));
HMIDIOUT const kOutHandle = reinterpret_cast<HMIDIOUT>(static_cast<UINT_PTR>(0x5678));

} // namespace

FakeMidiApi::FakeMidiApi() : m_previous(midi::SetMidiApi(this))
{
}

FakeMidiApi::~FakeMidiApi()
{
    midi::SetMidiApi(m_previous);
}

std::string FakeMidiApi::ErrorText(MMRESULT error)
{
    return "fake driver error " + std::to_string(error);
}

bool FakeMidiApi::Deliver(UINT message, DWORD_PTR param1, DWORD_PTR param2)
{
    std::lock_guard<std::mutex> calling(m_callbackLock);
    InProc proc;
    DWORD_PTR instance;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        proc = m_inProc;
        instance = m_inInstance;
    }
    if (!proc)
        return false;
    proc(kInHandle, message, instance, param1, param2);
    return true;
}

bool FakeMidiApi::CompleteOldestBlock()
{
    std::lock_guard<std::mutex> calling(m_callbackLock);
    OutProc proc;
    DWORD_PTR instance;
    MIDIHDR* header = nullptr;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_pendingBlocks.empty() || !m_outProc)
            return false;
        header = m_pendingBlocks.front();
        m_pendingBlocks.erase(m_pendingBlocks.begin());
        header->dwFlags |= MHDR_DONE;
        proc = m_outProc;
        instance = m_outInstance;
    }
    proc(kOutHandle, MOM_DONE, instance, reinterpret_cast<DWORD_PTR>(header), 0);
    return true;
}

FakeMidiApi::Counts FakeMidiApi::GetCounts() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_counts;
}

std::vector<DWORD> FakeMidiApi::GetSentShort() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_sent;
}

bool FakeMidiApi::IsInputOpen() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_inProc != nullptr;
}

bool FakeMidiApi::IsOutputOpen() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_outProc != nullptr;
}

UINT FakeMidiApi::InGetNumDevs()
{
    return static_cast<UINT>(inputNames.size());
}

MMRESULT FakeMidiApi::InGetDevCaps(UINT_PTR id, MIDIINCAPSA* caps)
{
    if (capsError != MMSYSERR_NOERROR)
        return capsError;
    if (id >= inputNames.size())
        return MMSYSERR_BADDEVICEID;
    std::memset(caps, 0, sizeof(*caps));
    lstrcpynA(caps->szPname, inputNames[id].c_str(), MAXPNAMELEN);
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::InOpen(HMIDIIN* handle, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags)
{
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_counts.inOpen;
    if (inOpenError != MMSYSERR_NOERROR)
        return inOpenError;
    if (id >= inputNames.size())
        return MMSYSERR_BADDEVICEID;
    if (flags != CALLBACK_FUNCTION || m_inProc)
        return MMSYSERR_ALLOCATED;
    m_inProc = reinterpret_cast<InProc>(callback);
    m_inInstance = instance;
    *handle = kInHandle;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::InStart(HMIDIIN handle)
{
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_counts.inStart;
    if (handle != kInHandle)
        return MMSYSERR_INVALHANDLE;
    return inStartError;
}

MMRESULT FakeMidiApi::InReset(HMIDIIN handle)
{
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_counts.inReset;
    return handle == kInHandle ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

MMRESULT FakeMidiApi::InClose(HMIDIIN handle)
{
    // A driver's close returns only after its running callback has.
    std::lock_guard<std::mutex> calling(m_callbackLock);
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_counts.inClose;
    if (handle != kInHandle || !m_inProc)
        return MMSYSERR_INVALHANDLE;
    m_inProc = nullptr;
    m_inInstance = 0;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::InUnprepareHeader(HMIDIIN, MIDIHDR*)
{
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::InGetErrorText(MMRESULT error, char* text, UINT size)
{
    lstrcpynA(text, ErrorText(error).c_str(), static_cast<int>(size));
    return MMSYSERR_NOERROR;
}

UINT FakeMidiApi::OutGetNumDevs()
{
    return static_cast<UINT>(outputNames.size());
}

MMRESULT FakeMidiApi::OutGetDevCaps(UINT_PTR id, MIDIOUTCAPSA* caps)
{
    if (capsError != MMSYSERR_NOERROR)
        return capsError;
    if (id >= outputNames.size())
        return MMSYSERR_BADDEVICEID;
    std::memset(caps, 0, sizeof(*caps));
    lstrcpynA(caps->szPname, outputNames[id].c_str(), MAXPNAMELEN);
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::OutOpen(HMIDIOUT* handle, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags)
{
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_counts.outOpen;
    if (outOpenError != MMSYSERR_NOERROR)
        return outOpenError;
    if (id >= outputNames.size())
        return MMSYSERR_BADDEVICEID;
    if (flags != CALLBACK_FUNCTION || m_outProc)
        return MMSYSERR_ALLOCATED;
    m_outProc = reinterpret_cast<OutProc>(callback);
    m_outInstance = instance;
    *handle = kOutHandle;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::OutClose(HMIDIOUT handle)
{
    std::lock_guard<std::mutex> calling(m_callbackLock);
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_counts.outClose;
    if (handle != kOutHandle || !m_outProc)
        return MMSYSERR_INVALHANDLE;
    if (!m_pendingBlocks.empty())
        return MIDIERR_STILLPLAYING;
    m_outProc = nullptr;
    m_outInstance = 0;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::OutShortMsg(HMIDIOUT handle, DWORD message)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (handle != kOutHandle)
        return MMSYSERR_INVALHANDLE;
    if (outShortError != MMSYSERR_NOERROR)
        return outShortError;
    if (rejectBadDataBytes && (((message >> 8) & 0x80) || ((message >> 16) & 0x80)))
        return MIDIERR_BADOPENMODE;
    m_sent.push_back(message);
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::OutPrepareHeader(HMIDIOUT, MIDIHDR* header)
{
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_counts.outPrepare;
    if (outPrepareError != MMSYSERR_NOERROR)
        return outPrepareError;
    header->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::OutUnprepareHeader(HMIDIOUT, MIDIHDR* header)
{
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_counts.outUnprepare;
    // A block still queued is dropped (as a reset would return it).
    m_pendingBlocks.erase(std::remove(m_pendingBlocks.begin(), m_pendingBlocks.end(), header), m_pendingBlocks.end());
    header->dwFlags &= ~MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::OutLongMsg(HMIDIOUT, MIDIHDR* header)
{
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_counts.outLong;
    if (outLongError != MMSYSERR_NOERROR)
        return outLongError;
    if (!(header->dwFlags & MHDR_PREPARED))
        return MIDIERR_UNPREPARED;
    m_pendingBlocks.push_back(header);
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiApi::OutGetErrorText(MMRESULT error, char* text, UINT size)
{
    lstrcpynA(text, ErrorText(error).c_str(), static_cast<int>(size));
    return MMSYSERR_NOERROR;
}
