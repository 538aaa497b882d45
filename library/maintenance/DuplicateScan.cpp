#include "library/maintenance/DuplicateScan.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace maintenance {

namespace {

// Appends text folded as CString::CompareNoCase folds: plain ASCII here,
// any other text by the library's own lower-casing.
void AppendLowered(std::string& out, const CString& text)
{
    const char* p = text.GetString();
    const std::size_t length = static_cast<std::size_t>(text.GetLength());
    const std::size_t start = out.size();
    out.append(p, length);
    for (std::size_t i = start; i < out.size(); ++i) {
        char& c = out[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            CString copy(text);
            copy.MakeLower();
            out.replace(start, std::string::npos, copy.GetString(),
                        static_cast<std::size_t>(copy.GetLength()));
            return;
        }
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
}

std::string Lowered(const CString& text)
{
    std::string lowered;
    AppendLowered(lowered, text);
    return lowered;
}

// The record's path as it is, without a copy: the records stay put while
// a scan looks at them.
std::string_view Exact(const CString& text)
{
    return std::string_view(text.GetString(), static_cast<std::size_t>(text.GetLength()));
}

} // namespace

std::string SongKey(const CTrackRecord& record)
{
    // A NUL between them (no text of a record holds one), so that no
    // artist and title pair can run into another one.
    std::string key;
    key.reserve(static_cast<std::size_t>(record.m_Artist.GetLength() + record.m_Title.GetLength()) + 1);
    AppendLowered(key, record.m_Artist);
    key.push_back('\0');
    AppendLowered(key, record.m_Title);
    return key;
}

std::vector<SongGroup> GroupSongCopies(const TrackArray& tracks)
{
    // Each song's group, found once by its key; the groups are made in the
    // order of their first records.
    std::unordered_map<std::string, std::size_t> groupOfSong;
    std::vector<SongGroup> all;
    const INT_PTR count = tracks.GetSize();
    groupOfSong.reserve(static_cast<std::size_t>(count));
    for (INT_PTR i = 0; i < count; ++i) {
        const CTrackRecord& record = tracks[i];
        auto found = groupOfSong.emplace(SongKey(record), all.size());
        if (found.second) {
            SongGroup group;
            group.original = i;
            all.push_back(group);
            continue;
        }
        SongGroup& group = all[found.first->second];
        if (tracks[group.original].m_Index != record.m_Index)
            group.copies.push_back(i);
    }
    std::vector<SongGroup> held;
    for (SongGroup& group : all)
        if (!group.copies.empty())
            held.push_back(std::move(group));
    return held;
}

LaterCopies FindLaterCopies(const TrackArray& tracks)
{
    LaterCopies result;
    const INT_PTR count = tracks.GetSize();
    std::unordered_set<std::string> songs;
    std::unordered_set<std::string> firstPaths;
    std::vector<bool> first(static_cast<std::size_t>(count), false);
    for (INT_PTR i = 0; i < count; ++i) {
        if (songs.insert(SongKey(tracks[i])).second) {
            first[static_cast<std::size_t>(i)] = true;
            firstPaths.insert(Lowered(tracks[i].m_FileName));
        }
    }
    result.copies = static_cast<int>(count - static_cast<INT_PTR>(songs.size()));
    for (INT_PTR i = 0; i < count; ++i)
        if (firstPaths.count(Lowered(tracks[i].m_FileName)) == 0)
            result.listed.push_back(i);
    return result;
}

std::vector<INT_PTR> FindSharedPathCopies(const TrackArray& tracks)
{
    // For each path, the first record's index number and whether another
    // one has been met since: a record is a further copy when an earlier
    // record of its path has another index number.
    struct Seen
    {
        int first;
        bool mixed;
    };
    std::unordered_map<std::string_view, Seen> seenOfPath;
    std::vector<INT_PTR> copies;
    const INT_PTR count = tracks.GetSize();
    seenOfPath.reserve(static_cast<std::size_t>(count));
    for (INT_PTR i = 0; i < count; ++i) {
        const int index = tracks[i].m_Index;
        auto found = seenOfPath.emplace(Exact(tracks[i].m_FileName), Seen{index, false});
        if (found.second)
            continue;
        Seen& seen = found.first->second;
        if (index != seen.first) {
            seen.mixed = true;
            copies.push_back(i);
        } else if (seen.mixed) {
            copies.push_back(i);
        }
    }
    return copies;
}

INT_PTR RemovableCopy(const TrackArray& tracks, const CString& path, bool byPath)
{
    const INT_PTR count = tracks.GetSize();
    INT_PTR at = -1;
    for (INT_PTR i = 0; i < count && at < 0; ++i)
        if (tracks[i].m_FileName.Compare(path) == 0)
            at = i;
    if (at < 0)
        return -1;
    const CTrackRecord& record = tracks[at];
    for (INT_PTR i = 0; i < count; ++i) {
        if (i == at)
            continue;
        const CTrackRecord& other = tracks[i];
        const bool keeps = byPath ? other.m_FileName.Compare(path) == 0
                                  : other.m_Artist.CompareNoCase(record.m_Artist) == 0
                                        && other.m_Title.CompareNoCase(record.m_Title) == 0;
        if (keeps)
            return at;
    }
    return -1;
}

} // namespace maintenance
