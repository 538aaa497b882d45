// The records of the CSV export and the lines of the text list.
#include "library/legacy/ExportText.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

CString Length(int seconds)
{
    CString text;
    text.Format("%03d:%02d", seconds / 60, seconds % 60);
    return text;
}

tagExportFields All()
{
    tagExportFields f;
    f.Artist = f.Title = f.Album = f.Year = f.Genre = f.Length = f.BPM = f.PlayCtr =
        f.Filename = f.Type = true;
    return f;
}

CTrackRecord Track()
{
    CTrackRecord r;
    r.m_Artist = "Band";
    r.m_Title = "Song";
    r.m_Album = "LP";
    r.m_Year = "1984";
    r.m_Genre = "Pop";
    r.m_Length = 225;
    r.m_BPMText = "12000";
    r.m_PlayCount = 12;
    r.m_FileName = "C:\\Music\\song.mp3";
    r.m_FileType = "MP3";
    return r;
}

} // namespace

TEST(CsvExport, ColumnsInTheFixedOrder)
{
    EXPECT_EQ("\"Artist\",\"Title\",\"Album\",\"Year\",\"Genre\",\"Length\",\"BPM\",\"PlayCtr\","
              "\"Filename\",\"Type\"",
              legacy::CsvHeaderRecord(All()));
    EXPECT_EQ("\"Band\",\"Song\",\"LP\",\"1984\",\"Pop\",\"003:45\",\"120.00\",\"12\","
              "\"C:\\Music\\song.mp3\",\"MP3\"",
              legacy::CsvDataRecord(All(), Track(), Length));

    tagExportFields some;
    some.Title = true;
    some.Artist = true;
    some.PlayCtr = true;
    EXPECT_EQ("\"Artist\",\"Title\",\"PlayCtr\"", legacy::CsvHeaderRecord(some));
    EXPECT_EQ("\"Band\",\"Song\",\"12\"", legacy::CsvDataRecord(some, Track(), Length));

    tagExportFields none;
    EXPECT_EQ("", legacy::CsvHeaderRecord(none));
    EXPECT_EQ("", legacy::CsvDataRecord(none, Track(), Length));
}

TEST(CsvExport, AQuoteInsideAValueIsDoubled)
{
    CTrackRecord r = Track();
    r.m_Title = "12\" Mix, \"Extended\"";
    tagExportFields f;
    f.Title = true;
    f.Album = true;
    EXPECT_EQ("\"12\"\" Mix, \"\"Extended\"\"\",\"LP\"", legacy::CsvDataRecord(f, r, Length));
}

TEST(TextListExport, TitleThenArtist)
{
    EXPECT_EQ("Song - Band", legacy::TextListLine(Track()));
    EXPECT_EQ(" - ", legacy::TextListLine(CTrackRecord()));
}
