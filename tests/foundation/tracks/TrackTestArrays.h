// Arrays of records named by their paths, for the track-array tests.
#pragma once

#include "framework/core/CArray.h"
#include "library/records/CTrackRecord.h"

#include <string>
#include <vector>

typedef CArray<CTrackRecord, CTrackRecord&> TrackArray;

// One record per name: path = name, title = name + "#" + position, so a
// record that moves is seen to move whole.
inline void FillTracks(TrackArray& tracks, const std::vector<std::string>& names)
{
    tracks.RemoveAll();
    for (std::size_t i = 0; i < names.size(); ++i) {
        CTrackRecord r;
        r.m_FileName = names[i].c_str();
        r.m_Title = (names[i] + "#" + std::to_string(i)).c_str();
        r.m_Index = static_cast<int32_t>(i);
        tracks.Add(r);
    }
}

// The titles in array order.
inline std::vector<std::string> Titles(const TrackArray& tracks)
{
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        out.push_back(tracks[i].m_Title.GetString());
    return out;
}
