#include "library/tempo/TempoScan.h"

#include "library/state/MessagePump.h"
#include "library/tags/TagReading.h"
#include "library/tempo/DecoderBlocks.h"

namespace tempo {

namespace {

// The stream facts of an MP3 file, read as the library reads them for its
// records (only MP3 files pass).
bool Mp3Facts(const char* path, int* channels, int* sampleRate)
{
    CTrackRecord record;
    if (!tags::ReadDekodaTag(&record, CString(path), 5))
        return false;
    *channels = record.m_Channels;
    *sampleRate = record.m_SampleRate;
    return true;
}

class WindowHooks : public TempoHooks
{
public:
    WindowHooks(CWnd* window, int id) : m_window(window ? window->GetSafeHwnd() : nullptr), m_id(id)
    {
    }
    bool AbortRequested() override { return EscapeAbortPrompt(nullptr); }
    void Pump() override { ProcessMessages(); }
    void Progress(int64_t frames) override
    {
        if (m_window)
            ::SetDlgItemTextA(m_window, m_id, ProgressText(frames));
    }

private:
    HWND m_window;
    int m_id;
};

} // namespace

float DecodeFileTempo(const CString& path, CWnd* window, int id, bool progress, int limit)
{
    DecoderBlocks source(Mp3Facts);
    WindowHooks hooks(window, id);
    return MeasureTempo(source, hooks, path, progress, limit);
}

bool IsWavPath(const CString& path)
{
    return path.GetLength() >= 3 && path.Right(3).CompareNoCase("wav") == 0;
}

int ScanTempos(const TrackArray& tracks, ScanFrame& frame, TempoScanActions& actions)
{
    const INT_PTR count = tracks.GetSize();
    if (count == 0)
        return 0;
    frame.Range(count);
    int counted = 0;
    for (INT_PTR i = 0; i < count; ++i) {
        CTrackRecord record = tracks[i];
        frame.Record(record.m_FileName);
        frame.Step();
        if (frame.PumpOrStop())
            break;
        if (IsWavPath(record.m_FileName))
            continue;
        const float bpm = actions.Measure(record.m_FileName);
        if (bpm == -1.0f)
            break;
        if (!(bpm > 0.0f)) {
            frame.InsertRow(0, "NOBPM", record);
            continue;
        }
        const CString text = FormatTempoText(bpm);
        if (actions.WriteTag(record.m_FileName, text)) {
            record.m_BPMText = text;
            actions.Store(i, record);
        }
        ++counted;
    }
    frame.Status("BPM Scan of Library complete");
    frame.Rewind();
    return counted;
}

bool StoreTempoText(LibraryState& state, INT_PTR position, const CTrackRecord& record)
{
    TrackArray& tracks = state.tracks;
    INT_PTR at = -1;
    if (position >= 0 && position < tracks.GetSize() &&
        tracks[position].m_FileName == record.m_FileName) {
        at = position;
    } else {
        for (INT_PTR i = 0; i < tracks.GetSize() && at < 0; ++i) {
            if (tracks[i].m_FileName == record.m_FileName)
                at = i;
        }
    }
    if (at < 0)
        return false;
    tracks[at].m_BPMText = record.m_BPMText;
    state.changed = true;
    return true;
}

} // namespace tempo
