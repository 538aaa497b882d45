#include "library/browse/RankedLists.h"

#include "library/file/LibraryDocument.h"
#include "library/records/RecordAccess.h"
#include "library/state/LibraryState.h"
#include "library/tracklist/TrackListFill.h"
#include "library/tracklist/TrackListFillText.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace {

// A list whose rows show these paths, row by row, and whose item data are
// the library positions written last.
struct PositionList
{
    HWND list = nullptr;
    std::vector<CString> paths;
    std::vector<LPARAM> data;
};

LPARAM ItemData(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.lParam;
}

// Reached only with the library lock held.
std::vector<PositionList>& Remembered()
{
    static std::vector<PositionList> lists;
    return lists;
}

void Forget(HWND list)
{
    std::vector<PositionList>& lists = Remembered();
    for (size_t i = 0; i < lists.size();)
        if (lists[i].list == list)
            lists.erase(lists.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
}

// The list still holds the rows the fill put there, with their data.
bool StillOurs(const PositionList& entry)
{
    TrackRowWriter writer(entry.list);
    if (!writer.Alive() || writer.Count() != static_cast<int>(entry.paths.size()))
        return false;
    for (size_t row = 0; row < entry.paths.size(); ++row) {
        const int at = static_cast<int>(row);
        if (writer.GetText(at, 8) != entry.paths[row] || ItemData(entry.list, at) != entry.data[row])
            return false;
    }
    return true;
}

} // namespace

int browse::DisplayRankedList(LibraryState& state, HWND list, Ranking ranking, int maxRows,
                              bool checkExists, bool plainIcons)
{
    Forget(list);
    TrackRowWriter writer(list);
    if (!writer.Alive())
        return 0;
    writer.SetRedraw(false);
    writer.DeleteAll();
    TrackArray& tracks = state.tracks;
    if (!tracks.IsEmpty())
        records::SortTrackListD(state, ranking == Ranking::MostPlayed ? 9 : 5);
    PositionList remembered;
    remembered.list = list;
    int rows = 0;
    for (INT_PTR i = 0; i < maxRows && i < tracks.GetSize(); ++i) {
        CTrackRecord rec(tracks[i]);
        FormatBpmText(rec.m_BPMText);
        const int image =
            plainIcons ? track_image::kPlain : TrackTypeImage(rec.m_FileName, checkExists);
        if (writer.Insert(rows, MakeTrackRow(rec), image, static_cast<LPARAM>(i)) < 0)
            break;
        remembered.paths.push_back(rec.m_FileName);
        remembered.data.push_back(static_cast<LPARAM>(i));
        ++rows;
    }
    writer.SetRedraw(true);
    if (rows > 0) {
        Remembered().push_back(remembered);
        state.tracksMoved = FollowMovedTracks;
    }
    return rows;
}

void browse::FollowMovedTracks(LibraryState& state)
{
    std::vector<PositionList>& lists = Remembered();
    for (size_t i = 0; i < lists.size();) {
        if (!StillOurs(lists[i]))
            lists.erase(lists.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
    if (lists.empty())
        return;
    // Each wanted path's present positions, in library order.
    std::unordered_map<std::string, std::vector<INT_PTR>> positions;
    for (const PositionList& entry : lists)
        for (const CString& path : entry.paths)
            positions.emplace(path.str(), std::vector<INT_PTR>());
    const TrackArray& tracks = state.tracks;
    for (INT_PTR at = 0; at < tracks.GetSize(); ++at) {
        auto found = positions.find(tracks[at].m_FileName.str());
        if (found != positions.end())
            found->second.push_back(at);
    }
    for (PositionList& entry : lists) {
        // A path the library holds twice gives its rows its positions in turn.
        std::unordered_map<std::string, size_t> used;
        TrackRowWriter writer(entry.list);
        for (size_t row = 0; row < entry.paths.size(); ++row) {
            const std::string& path = entry.paths[row].str();
            const std::vector<INT_PTR>& at = positions[path];
            size_t& next = used[path];
            entry.data[row] = next < at.size() ? at[next] : -1;
            writer.SetData(static_cast<int>(row), entry.data[row]);
            ++next;
        }
    }
}
