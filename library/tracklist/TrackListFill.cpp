// Track rows: filling a list from the library, one record, and reading the
// lengths of a list back.
#include "library/tracklist/TrackListFill.h"

#include "framework/ui/CImageList.h"
#include "framework/ui/CListCtrl.h"
#include "framework/win/CWaitCursor.h"
#include "library/file/LibraryDocument.h"
#include "library/state/FileTexts.h"
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

void EmptyList(TrackRowWriter& writer)
{
    writer.SetRedraw(false);
    writer.DeleteAll();
    writer.SetRedraw(true);
}

} // namespace

// The worker's fill: the caller copied the records under the library lock
// and the rows are written without it, so the window thread is never kept
// waiting on the lock while this thread waits on the window thread, and a
// worker given up in the middle leaves the lock free. No pumping and no
// change of the list's drawing: the list belongs to the window thread.
int tracklist::DisplayTracksFromWorker(const TrackArray& records, CListCtrl* list,
                                       bool checkExists, CImageList* imageList, bool plainIcons)
{
    TrackRowWriter writer(ListHandle(list));
    RunningFill fill(ListHandle(list));
    HIMAGELIST images = ImagesHandle(imageList);
    if (records.GetSize() == 0) {
        EmptyList(writer);
        return 0;
    }
    writer.SetSmallImages(images);
    CWaitCursor wait;
    writer.DeleteAll();
    int rows = 0;
    for (INT_PTR i = 0; i < records.GetSize(); ++i) {
        if (fill.Stopped() || !writer.Alive())
            break;
        const CTrackRecord& rec = records[i];
        int image = plainIcons ? track_image::kPlain : TrackTypeImage(rec.m_FileName, checkExists);
        if (writer.Insert(static_cast<int>(i), MakeTrackRow(rec), image, static_cast<LPARAM>(i)) >= 0)
            ++rows;
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

TrackRow MakeTrackRow(const CTrackRecord& rec)
{
    TrackRow row;
    row.Put(0, rec.m_Title);
    row.Put(1, rec.m_Artist);
    row.picture = rec.m_HasPicture == 1 ? track_image::kPicture : track_image::kNoPicture;
    row.Put(3, rec.m_Album);
    row.Put(4, rec.m_Genre);
    row.Put(5, filetexts::SecondsToString(rec.m_Length));
    row.Put(6, rec.m_Year);
    row.Put(7, NormalTempo(rec.m_BPMText));
    row.Put(8, rec.m_FileName);
    row.Put(9, NumberText(rec.m_Index));
    row.Put(10, NumberText(rec.m_PlayCount));
    return row;
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

int TrackTypeImage(const CString& path, bool checkExists)
{
    if (checkExists && !filetexts::Exists(path))
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
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        if (pacer.Step() && (!writer.Alive() || i >= tracks.GetSize()))
            break;
        CTrackRecord rec(tracks[i]);
        int image = plainIcons ? track_image::kPlain : TrackTypeImage(rec.m_FileName, checkExists);
        if (writer.Insert(static_cast<int>(i), MakeTrackRow(rec), image, static_cast<LPARAM>(i)) >= 0)
            ++rows;
    }
    writer.SetRedraw(true);
    return rows;
}

int tracklist::DisplayTracksV41(TrackArray& tracks, CListCtrl* list, bool checkExists,
                                CImageList* images, bool showImages)
{
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
