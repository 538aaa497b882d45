#include "ListTestSupport.h"

#include "framework/ui/AfxWin.h"

namespace list_test {

CTrackRecord MakeRecord(const Track& t)
{
    CTrackRecord rec;
    rec.m_Title = t.title;
    rec.m_Artist = t.artist;
    rec.m_Album = t.album;
    rec.m_Genre = t.genre;
    rec.m_Length = t.length;
    rec.m_Year = t.year;
    rec.m_BPMText = t.bpm;
    rec.m_FileName = t.path;
    rec.m_Index = t.index;
    rec.m_PlayCount = t.plays;
    rec.m_FileType = t.type;
    return rec;
}

void MakeArray(const std::vector<Track>& tracks, CArray<CTrackRecord, CTrackRecord&>& out)
{
    out.RemoveAll();
    for (const Track& t : tracks) {
        CTrackRecord rec = MakeRecord(t);
        out.Add(rec);
    }
}

void AddTrackColumns(CListCtrl& list)
{
    static const char* const captions[] = {"Title", "Artist", "", "Album", "Genre", "Time",
                                           "Year", "BPM", "Path", "Index", "Plays"};
    for (int i = 0; i < 11; ++i)
        list.InsertColumn(i, captions[i], LVCFMT_LEFT, i == 0 ? 110 : 60, i);
}

std::vector<std::string> ColumnTexts(const CListCtrl& list, int column)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetItemCount(); ++i)
        texts.push_back(list.GetItemText(i, column).GetString());
    return texts;
}

} // namespace list_test
