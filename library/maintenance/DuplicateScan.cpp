#include "library/maintenance/DuplicateScan.h"

#include <unordered_map>
#include <unordered_set>

namespace maintenance {

namespace {

// Folded as CString::CompareNoCase folds: plain ASCII here, any other text
// by the library's own lower-casing.
std::string Lowered(const CString& text)
{
    const char* p = text.GetString();
    const std::size_t length = static_cast<std::size_t>(text.GetLength());
    std::string lowered(p, length);
    bool ascii = true;
    for (char& c : lowered) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    if (ascii)
        return lowered;
    CString copy(text);
    copy.MakeLower();
    return std::string(copy.GetString(), static_cast<std::size_t>(copy.GetLength()));
}

std::string Exact(const CString& text)
{
    return std::string(text.GetString(), static_cast<std::size_t>(text.GetLength()));
}

} // namespace

std::string SongKey(const CTrackRecord& record)
{
    // The artist's length first, so that no artist and title pair can run
    // into another one.
    const std::string artist = Lowered(record.m_Artist);
    return std::to_string(artist.size()) + ':' + artist + Lowered(record.m_Title);
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
    // For each path, the index numbers met so far: a record is a further
    // copy when an earlier record of its path has another index number.
    std::unordered_map<std::string, std::vector<int>> indicesOfPath;
    std::vector<INT_PTR> copies;
    const INT_PTR count = tracks.GetSize();
    indicesOfPath.reserve(static_cast<std::size_t>(count));
    for (INT_PTR i = 0; i < count; ++i) {
        std::vector<int>& seen = indicesOfPath[Exact(tracks[i].m_FileName)];
        const int index = tracks[i].m_Index;
        bool other = false;
        bool same = false;
        for (int earlier : seen) {
            other = other || earlier != index;
            same = same || earlier == index;
        }
        if (other)
            copies.push_back(i);
        if (!same)
            seen.push_back(index);
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
