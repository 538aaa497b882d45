// Track rows: filling a list from the library, one record, and reading the
// lengths of a list back.
#include "library/tracklist/TrackListFill.h"

#include "framework/ui/CImageList.h"
#include "framework/ui/CListCtrl.h"
#include "framework/win/CWaitCursor.h"
#include "library/file/LibraryDocument.h"
#include "library/state/ExistenceCache.h"
#include "library/state/FileTexts.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"
#include "library/records/RecordAccess.h"
#include "library/tracklist/TrackListFillText.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace {

CString NumberText(int32_t value)
{
    CString text;
    text.Format("%d", static_cast<int>(value));
    return text;
}

CString NormalTempo(const CString& text)
{
    CString tempo(text);
    FormatBpmText(tempo);
    return tempo;
}

HWND ListHandle(const CListCtrl* list)
{
    return list ? list->GetSafeHwnd() : nullptr;
}

HIMAGELIST ImagesHandle(const CImageList* images)
{
    return images ? images->GetSafeHandle() : nullptr;
}

// The worker fills under way: the list each writes and its stop flag.
std::mutex g_fillsMutex;
std::vector<std::pair<HWND, std::atomic<bool>*>> g_fills;

class RunningFill
{
public:
    explicit RunningFill(HWND list)
    {
        std::lock_guard<std::mutex> guard(g_fillsMutex);
        g_fills.emplace_back(list, &m_stop);
    }
    ~RunningFill()
    {
        std::lock_guard<std::mutex> guard(g_fillsMutex);
        g_fills.erase(std::remove_if(g_fills.begin(), g_fills.end(),
                                     [this](const std::pair<HWND, std::atomic<bool>*>& f) {
                                         return f.second == &m_stop;
                                     }),
                      g_fills.end());
    }
    RunningFill(const RunningFill&) = delete;
    RunningFill& operator=(const RunningFill&) = delete;
    bool Stopped() const { return m_stop.load(); }

private:
    std::atomic<bool> m_stop{false};
};

// Rows of a worker fill handed to the list's thread in batches: the
// first small (one screen, shown at once), the others large.
constexpr int kFirstBatchRows = 64;
constexpr int kBatchRows = 1024;

struct RowBatch
{
    HWND list = nullptr;
    const RunningFill* stop = nullptr;
    int total = 0;
    int first = 0;
    std::vector<TrackRow> rows;
    std::vector<int> images;
    int inserted = 0;   // answered by the list's thread
};

// The fill mailbox: a message-only window of the window thread (the
// thread that made the first VIZU object) that inserts the batches sent to
// it. Only batches that a worker of this module has in flight are read.
const UINT kInsertBatch = WM_APP + 0x2B1;
const char kMailboxClass[] = "KVLibWorkerFillMailbox";
std::mutex g_mailboxMutex;
HWND g_mailbox = nullptr;
std::vector<RowBatch*> g_batches;

bool BatchInFlight(RowBatch* batch)
{
    std::lock_guard<std::mutex> guard(g_mailboxMutex);
    return std::find(g_batches.begin(), g_batches.end(), batch) != g_batches.end();
}

void InsertBatch(RowBatch& batch)
{
    TrackRowWriter writer(batch.list);
    if (!writer.Alive() || batch.stop->Stopped())
        return;
    // Drawing off while the rows go in (a row inserted while the list draws
    // costs it a great deal more), on again after each batch: the first
    // batch, one screen, shows at once, and each later one when it is in.
    writer.SetRedraw(false);
    if (batch.first == 0) {
        writer.DeleteAll();
        SendMessageA(batch.list, LVM_SETITEMCOUNT, static_cast<WPARAM>(batch.total), 0);
    }
    const int size = static_cast<int>(batch.rows.size());
    for (int i = 0; i < size && writer.Alive(); ++i) {
        const int at = batch.first + i;
        if (writer.Insert(at, batch.rows[static_cast<size_t>(i)], batch.images[static_cast<size_t>(i)],
                          static_cast<LPARAM>(at)) >= 0)
            ++batch.inserted;
    }
    writer.SetRedraw(true);
}

LRESULT CALLBACK MailboxProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kInsertBatch) {
        RowBatch* batch = reinterpret_cast<RowBatch*>(lParam);
        if (batch && BatchInFlight(batch))
            InsertBatch(*batch);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// The mailbox when it belongs to the list's thread; null otherwise.
HWND FillMailboxFor(HWND list)
{
    std::lock_guard<std::mutex> guard(g_mailboxMutex);
    if (!g_mailbox || !list || !IsWindow(g_mailbox))
        return nullptr;
    if (GetWindowThreadProcessId(g_mailbox, nullptr) != GetWindowThreadProcessId(list, nullptr))
        return nullptr;
    return g_mailbox;
}

void SendBatch(HWND mailbox, RowBatch& batch)
{
    {
        std::lock_guard<std::mutex> guard(g_mailboxMutex);
        g_batches.push_back(&batch);
    }
    SendMessageA(mailbox, kInsertBatch, 0, reinterpret_cast<LPARAM>(&batch));
    std::lock_guard<std::mutex> guard(g_mailboxMutex);
    g_batches.erase(std::remove(g_batches.begin(), g_batches.end(), &batch), g_batches.end());
}

void EmptyList(TrackRowWriter& writer)
{
    writer.SetRedraw(false);
    writer.DeleteAll();
    writer.SetRedraw(true);
}

} // namespace

// The worker's fill. What the rows show is copied under the library lock
// and the rows are made without it, so the window thread is never kept
// waiting on the lock while this thread waits on the window thread, and a
// worker given up in the middle leaves the lock free. The worker touches
// no window: its rows are made here and each batch of them is inserted by
// the list's own thread (the fill mailbox) in one call, so each batch costs
// one cross-thread message instead of a dozen a row. The first batch, one
// screen, is copied and shown before the rest of the library is copied;
// when the library changed in between, the fill starts again from the top.
// Without a mailbox on the list's thread the rows are written one message
// at a time.
int tracklist::DisplayTracksFromWorker(CListCtrl* list, bool checkExists, CImageList* imageList,
                                       bool plainIcons)
{
    const HWND hList = ListHandle(list);
    TrackRowWriter writer(hList);
    RunningFill fill(hList);
    const HWND mailbox = FillMailboxFor(hList);
    std::vector<TrackRowSource> records;
    size_t total = 0;
    {
        LibraryLock lock;
        const TrackArray& tracks = lock.State().tracks;
        total = static_cast<size_t>(tracks.GetSize());
        const size_t now = mailbox ? std::min(total, static_cast<size_t>(kFirstBatchRows)) : total;
        records.reserve(total);
        for (size_t i = 0; i < now; ++i)
            records.emplace_back(tracks[static_cast<INT_PTR>(i)]);
    }
    if (total == 0) {
        EmptyList(writer);
        return 0;
    }
    writer.SetSmallImages(ImagesHandle(imageList));
    CWaitCursor wait;
    ExistenceCache existence;
    auto imageOf = [&](const TrackRowSource& rec) {
        return plainIcons ? track_image::kPlain : TrackTypeImage(rec.fileName, checkExists, &existence);
    };
    if (!mailbox) {
        writer.DeleteAll();
        int rows = 0;
        for (size_t i = 0; i < records.size(); ++i) {
            if (fill.Stopped() || !writer.Alive())
                break;
            if (writer.Insert(static_cast<int>(i), MakeTrackRow(records[i]), imageOf(records[i]),
                              static_cast<LPARAM>(i)) >= 0)
                ++rows;
        }
        return rows;
    }
    RowBatch batch;
    batch.list = hList;
    batch.stop = &fill;
    int rows = 0;
    for (size_t first = 0; first < total;) {
        if (fill.Stopped() || !writer.Alive())
            break;
        if (first == records.size()) {
            // The rest of the library, after the first screen went out.
            LibraryLock lock;
            const TrackArray& tracks = lock.State().tracks;
            bool same = static_cast<size_t>(tracks.GetSize()) == total;
            for (size_t i = 0; same && i < records.size(); ++i) {
                const CTrackRecord& rec = tracks[static_cast<INT_PTR>(i)];
                same = rec.m_Index == records[i].index && rec.m_FileName == records[i].fileName;
            }
            if (!same) {
                records.clear();
                total = static_cast<size_t>(tracks.GetSize());
                first = 0;
                rows = 0;
            }
            records.reserve(total);
            for (size_t i = records.size(); i < total; ++i)
                records.emplace_back(tracks[static_cast<INT_PTR>(i)]);
            if (total == 0) {
                EmptyList(writer);
                break;
            }
        }
        const size_t size =
            std::min(static_cast<size_t>(first == 0 ? kFirstBatchRows : kBatchRows), records.size() - first);
        batch.total = static_cast<int>(total);
        batch.first = static_cast<int>(first);
        batch.rows.clear();
        batch.images.clear();
        for (size_t i = first; i < first + size; ++i) {
            batch.images.push_back(imageOf(records[i]));
            batch.rows.push_back(MakeTrackRow(records[i]));
        }
        batch.inserted = 0;
        SendBatch(mailbox, batch);
        rows += batch.inserted;
        if (static_cast<size_t>(batch.inserted) < size)
            break;   // stopped, or the list gone
        first += size;
    }
    return rows;
}

int tracklist::StopWorkerFills(HWND list)
{
    std::lock_guard<std::mutex> guard(g_fillsMutex);
    int told = 0;
    for (auto& f : g_fills)
        if (f.first == list) {
            f.second->store(true);
            ++told;
        }
    return told;
}

void tracklist::OpenFillMailbox()
{
    std::lock_guard<std::mutex> guard(g_mailboxMutex);
    if (g_mailbox && IsWindow(g_mailbox))
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MailboxProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kMailboxClass;
    RegisterClassA(&wc);   // fails harmlessly when registered already
    g_mailbox = CreateWindowExA(0, kMailboxClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                nullptr);
}

void tracklist::CloseFillMailbox()
{
    std::lock_guard<std::mutex> guard(g_mailboxMutex);
    // Only its own thread can destroy it; from another the window stays.
    if (g_mailbox && GetWindowThreadProcessId(g_mailbox, nullptr) == GetCurrentThreadId()) {
        DestroyWindow(g_mailbox);
        g_mailbox = nullptr;
    }
}

TrackRowSource::TrackRowSource(const CTrackRecord& rec)
    : title(rec.m_Title), artist(rec.m_Artist), album(rec.m_Album), genre(rec.m_Genre), year(rec.m_Year),
      bpmText(rec.m_BPMText), fileName(rec.m_FileName), length(rec.m_Length), index(rec.m_Index),
      playCount(rec.m_PlayCount), hasPicture(rec.m_HasPicture)
{
}

TrackRow MakeTrackRow(const TrackRowSource& rec)
{
    TrackRow row;
    row.Put(0, rec.title);
    row.Put(1, rec.artist);
    row.picture = rec.hasPicture == 1 ? track_image::kPicture : track_image::kNoPicture;
    row.Put(3, rec.album);
    row.Put(4, rec.genre);
    row.Put(5, filetexts::SecondsToString(rec.length));
    row.Put(6, rec.year);
    row.Put(7, NormalTempo(rec.bpmText));
    row.Put(8, rec.fileName);
    row.Put(9, NumberText(rec.index));
    row.Put(10, NumberText(rec.playCount));
    return row;
}

TrackRow MakeTrackRow(const CTrackRecord& rec)
{
    return MakeTrackRow(TrackRowSource(rec));
}

TrackRow MakeTagRow(const TAG_INFO& info)
{
    TrackRow row;
    row.Put(0, info.Title);
    row.Put(1, info.Artist);
    row.picture = info.HasPicture ? track_image::kPicture : track_image::kNoPicture;
    row.Put(3, info.Album);
    row.Put(4, info.Genre);
    row.Put(5, filetexts::SecondsToString(info.Length));
    row.Put(6, info.Year);
    row.Put(7, NormalTempo(info.BPMText));
    row.Put(8, info.Path);
    row.Put(10, NumberText(info.PlayCount));
    return row;
}

int TrackTypeImage(const CString& path, bool checkExists, ExistenceCache* existence)
{
    if (checkExists && !(existence ? existence->Exists(path) : filetexts::Exists(path)))
        return track_image::kMissing;
    return IsRowWavPath(path.str()) ? track_image::kWAV : track_image::kMP3;
}

int TrackRowWriter::Count() const
{
    return m_list ? static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

void TrackRowWriter::SetRedraw(bool on)
{
    if (m_list)
        SendMessageA(m_list, WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

void TrackRowWriter::DeleteAll()
{
    if (m_list)
        SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0);
}

void TrackRowWriter::SetSmallImages(HIMAGELIST images)
{
    if (m_list)
        SendMessageA(m_list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void TrackRowWriter::SetNormalImages(HIMAGELIST images)
{
    if (m_list)
        SendMessageA(m_list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

void TrackRowWriter::RepaintNow()
{
    if (m_list) {
        InvalidateRect(m_list, nullptr, TRUE);
        UpdateWindow(m_list);
    }
}

int TrackRowWriter::Insert(int position, const TrackRow& row, int image, LPARAM data)
{
    if (!m_list)
        return -1;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = position;
    item.pszText = const_cast<char*>(row.text[0].GetString());
    item.iImage = image;
    item.lParam = data;
    int index = static_cast<int>(SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0)
        WriteSubItems(index, row);
    return index;
}

int TrackRowWriter::InsertText(int position, const CString& text)
{
    if (!m_list)
        return -1;
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = position;
    item.pszText = const_cast<char*>(text.GetString());
    return static_cast<int>(SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void TrackRowWriter::Rewrite(int row, const TrackRow& texts)
{
    if (texts.written[0])
        SetText(row, 0, texts.text[0]);
    WriteSubItems(row, texts);
}

void TrackRowWriter::WriteSubItems(int row, const TrackRow& texts)
{
    for (int sub = 1; sub < kTrackListColumns; ++sub)
        if (texts.written[sub])
            SetText(row, sub, texts.text[sub]);
    if (texts.picture >= 0)
        SetImage(row, 2, texts.picture);
}

void TrackRowWriter::SetData(int row, LPARAM data)
{
    if (!m_list)
        return;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    SendMessageA(m_list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TrackRowWriter::SetText(int row, int subItem, const char* text)
{
    if (!m_list)
        return;
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);
    SendMessageA(m_list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void TrackRowWriter::SetImage(int row, int subItem, int image)
{
    if (!m_list)
        return;
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = subItem;
    item.iImage = image;
    SendMessageA(m_list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

CString TrackRowWriter::GetText(int row, int subItem) const
{
    CString text;
    if (!m_list)
        return text;
    // The control copies at most the buffer: grow until the text fits.
    for (int size = 256; size <= 65536; size *= 4) {
        LVITEMA item = {};
        item.iSubItem = subItem;
        item.cchTextMax = size;
        item.pszText = text.GetBuffer(size);
        int n = static_cast<int>(SendMessageA(m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                              reinterpret_cast<LPARAM>(&item)));
        text.ReleaseBuffer(n > 0 ? n : 0);
        if (n < size - 1)
            break;
    }
    return text;
}

bool tracklist::InsertRecIntoList(CListCtrl* list, CTrackRecord* rec, bool checkExists)
{
    if (!rec)
        return false;
    TrackRowWriter writer(ListHandle(list));
    CWaitCursor wait;
    int position = writer.Count();
    int image = TrackTypeImage(rec->m_FileName, checkExists);
    FormatBpmText(rec->m_BPMText);
    int row = writer.Insert(position, MakeTrackRow(*rec), image, position);
    if (row >= 0)
        writer.SetData(row, rec->m_Index);
    return true;
}

int tracklist::DisplayTracks(TrackArray& tracks, CListCtrl* list, bool checkExists,
                             CImageList* images, bool plainIcons)
{
    // A worker still filling this list (the display worker's whole library)
    // stops first: its later rows would land in the rows written here.
    StopWorkerFills(ListHandle(list));
    TrackRowWriter writer(ListHandle(list));
    if (tracks.GetSize() == 0) {
        EmptyList(writer);
        return 0;
    }
    // Records are neither added, removed nor moved by a handler that the
    // pump runs while the rows are written.
    TracksInUse inUse;
    writer.SetSmallImages(ImagesHandle(images));
    CWaitCursor wait;
    writer.SetRedraw(false);
    writer.DeleteAll();
    int rows = 0;
    // A handler run by the pump may close the list or change the library:
    // both are checked again whenever it has run.
    LoopPump pacer;
    ExistenceCache existence;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        if (pacer.Step() && (!writer.Alive() || i >= tracks.GetSize()))
            break;
        CTrackRecord rec(tracks[i]);
        int image = plainIcons ? track_image::kPlain
                               : TrackTypeImage(rec.m_FileName, checkExists, &existence);
        if (writer.Insert(static_cast<int>(i), MakeTrackRow(rec), image, static_cast<LPARAM>(i)) >= 0)
            ++rows;
    }
    writer.SetRedraw(true);
    return rows;
}

int tracklist::DisplayTracksV41(TrackArray& tracks, CListCtrl* list, bool checkExists,
                                CImageList* images, bool showImages)
{
    StopWorkerFills(ListHandle(list));
    TrackRowWriter writer(ListHandle(list));
    if (tracks.GetSize() == 0) {
        EmptyList(writer);
        return 0;
    }
    TracksInUse inUse;
    if (showImages)
        writer.SetSmallImages(ImagesHandle(images));
    else
        writer.SetNormalImages(nullptr);
    CWaitCursor wait;
    writer.SetRedraw(false);
    writer.DeleteAll();
    int rows = 0;
    LoopPump pacer;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        if (pacer.Step() && (!writer.Alive() || i >= tracks.GetSize()))
            break;
        CTrackRecord rec(tracks[i]);
        TrackRow row = MakeTrackRow(rec);
        int image = -1;
        if (showImages)
            image = TrackTypeImage(rec.m_FileName, checkExists);
        else
            row.picture = -1;
        if (writer.Insert(static_cast<int>(i), row, image, static_cast<LPARAM>(i)) >= 0)
            ++rows;
    }
    writer.SetRedraw(true);
    writer.RepaintNow();
    return rows;
}

int tracklist::PopulateListControl(const TrackArray& tracks, CListCtrl* list)
{
    TrackRowWriter writer(ListHandle(list));
    if (tracks.GetSize() == 0) {
        EmptyList(writer);
        return 0;
    }
    CWaitCursor wait;
    writer.SetRedraw(false);
    writer.DeleteAll();
    int rows = 0;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        const CTrackRecord& rec = tracks[i];
        TrackRow row = MakeTrackRow(rec);
        row.picture = -1;
        row.Drop(10);
        CString tempo;
        tempo.Format("%s.%s", rec.m_BPMText.Left(3).GetString(), rec.m_BPMText.Right(2).GetString());
        row.Put(7, tempo);
        if (writer.Insert(static_cast<int>(i), row, track_image::kPlain, rec.m_Index) >= 0)
            ++rows;
    }
    writer.SetRedraw(true);
    return rows;
}

bool tracklist::FindListItemRecord(const LibraryState& state, CListCtrl* list, int trackIndex,
                                   CTrackRecord& rec)
{
    const TrackArray& tracks = state.tracks;
    if (tracks.GetSize() == 0)
        return false;
    TrackRowWriter writer(ListHandle(list));
    CImageList* icons = state.trackIcons;
    writer.SetSmallImages(icons ? icons->GetSafeHandle() : nullptr);
    INT_PTR found = -1;
    for (INT_PTR i = 0; i < tracks.GetSize() && found < 0; ++i)
        if (tracks[i].m_Index == trackIndex)
            found = i;
    if (found < 0)
        return false;
    rec = tracks[found];
    return true;
}

bool tracklist::UpdateListItem(CListCtrl* list, int row, const CTrackRecord& rec)
{
    TrackRowWriter writer(ListHandle(list));
    writer.Rewrite(row, MakeTrackRow(rec));
    if (list) {
        list->RedrawItems(row, row);
        list->UpdateWindow();
    }
    return true;
}

CString tracklist::GetTotalQueueTime(CListCtrl* list)
{
    TrackRowWriter writer(ListHandle(list));
    int total = 0;
    const int rows = writer.Count();
    for (int i = 0; i < rows; ++i)
        total += RowLengthSeconds(writer.GetText(i, 5).str());
    return filetexts::SecondsToHHMMSS(total);
}
