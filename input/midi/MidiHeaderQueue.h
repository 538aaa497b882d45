// The system-exclusive headers a MIDI device has handed to the driver,
// oldest first, under a critical section: the sender adds on its thread,
// the device's worker releases on its own. Releasing a header unprepares
// it with the driver and frees its record.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <deque>

namespace midi {

// Handle: HMIDIIN or HMIDIOUT; Unprepare(handle, header) is the driver's.
template <class Handle>
class MidiHeaderQueue
{
public:
    struct Record
    {
        Handle handle;
        MIDIHDR header;
    };
    using Unprepare = MMRESULT (*)(Handle handle, MIDIHDR* header);

    explicit MidiHeaderQueue(Unprepare unprepare) : m_unprepare(unprepare) { ::InitializeCriticalSection(&m_lock); }
    ~MidiHeaderQueue()
    {
        ReleaseAll();
        ::DeleteCriticalSection(&m_lock);
    }
    MidiHeaderQueue(const MidiHeaderQueue&) = delete;
    MidiHeaderQueue& operator=(const MidiHeaderQueue&) = delete;

    void Push(Record* record)
    {
        ::EnterCriticalSection(&m_lock);
        m_records.push_back(record);
        ::LeaveCriticalSection(&m_lock);
    }
    // Takes the record out without releasing it; false when it is not queued.
    bool Remove(Record* record)
    {
        ::EnterCriticalSection(&m_lock);
        const auto it = std::find(m_records.begin(), m_records.end(), record);
        const bool found = it != m_records.end();
        if (found)
            m_records.erase(it);
        ::LeaveCriticalSection(&m_lock);
        return found;
    }
    void ReleaseOldest() { Release(false); }
    void ReleaseAll() { Release(true); }

private:
    void Release(bool all)
    {
        ::EnterCriticalSection(&m_lock);
        while (!m_records.empty()) {
            Record* record = m_records.front();
            m_records.pop_front();
            m_unprepare(record->handle, &record->header);
            delete record;
            if (!all)
                break;
        }
        ::LeaveCriticalSection(&m_lock);
    }

    Unprepare m_unprepare;
    std::deque<Record*> m_records;
    CRITICAL_SECTION m_lock;
};

} // namespace midi
