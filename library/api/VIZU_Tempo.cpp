// VIZU's tempo entries (library/tempo): a file is measured without the
// library lock; the scan copies the records, measures each file without
// the lock and takes it again only to store a tempo text.
#include "library/api/VIZU.h"

#include "framework/ui/AfxWin.h"
#include "library/state/LibraryLock.h"
#include "library/tempo/TempoDetector.h"
#include "library/tempo/TempoScan.h"

namespace {

class LibraryScanActions : public tempo::TempoScanActions
{
public:
    LibraryScanActions(CWnd* window, int id, bool fast, int limit)
        : m_window(window), m_id(id), m_fast(fast), m_limit(limit)
    {
    }
    float Measure(const CString& path) override
    {
        return VIZU::DecodeBPM(path, m_window, m_id, m_fast, false, m_limit);
    }
    bool WriteTag(const CString& path, const CString& text) override
    {
        return VIZU::SetBPMTag(path, text);
    }
    void Store(INT_PTR position, const CTrackRecord& record) override
    {
        LibraryLock lock;
        tempo::StoreTempoText(lock.State(), position, record);
    }

private:
    CWnd* m_window;
    int m_id;
    bool m_fast;
    int m_limit;
};

} // namespace

float VIZU::DecodeBPM(CString path, CWnd* window, int id, bool fast, bool progress, int limit)
{
    // The fast flag is taken and passed on; how much is decoded is the
    // limit's alone.
    (void)fast;
    return tempo::DecodeFileTempo(path, window, id, progress, limit);
}

int VIZU::BPMScanLibrary(CWnd* window, CListCtrl* list, int id, CProgressCtrl* bar, int limit)
{
    TrackArray tracks;
    {
        LibraryLock lock;
        tracks.Copy(lock.State().tracks);
    }
    if (tracks.GetSize() == 0)
        return 0;
    const bool fast =
        GetPrivateProfileIntA("KVLIB", "BPMUseFastScan", 0, GetLibINIFilePath()) != 0;
    if (window && window->GetSafeHwnd())
        window->SetFocus();
    ScanFrame frame(window, list, id, bar);
    LibraryScanActions actions(window, id, fast, limit);
    return tempo::ScanTempos(tracks, frame, actions);
}

float VIZU::DecodeBPMWhilePlaying(long channels, long rate, short* samples, int count)
{
    return tempo::DetectTempo(static_cast<int>(channels), static_cast<int>(rate), samples, count);
}
