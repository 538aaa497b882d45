// The texts of playlists and M3U files: paths, names, the text-mode lines,
// the append to a playlist's text, the M3U reader and writer and the
// drive-letter change of records. Portable: built natively too.
#include "foundation/xml/XmlMarkup.h"
#include "library/file/LibraryDocument.h"
#include "library/playlists/PlaylistText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using playlists::TrackArray;

CTrackRecord Record(const char* path, const char* artist, const char* title, int length)
{
    CTrackRecord r;
    r.m_FileName = path;
    r.m_Artist = artist;
    r.m_Title = title;
    r.m_Album = "Album";
    r.m_Genre = "House";
    r.m_FileType = "MP3";
    r.m_BPMText = "128.00";
    r.m_Year = "2001";
    r.m_Length = length;
    r.m_PlayCount = 3;
    r.m_Cue1 = 4;
    r.m_Cue1Name = "in";
    return r;
}

// Fills records with the list (the arrays cannot be copied or moved).
void Fill(TrackArray& records, std::initializer_list<CTrackRecord> list)
{
    records.RemoveAll();
    for (CTrackRecord r : list)
        records.Add(r);
}

std::string Text(const TrackArray& records)
{
    return BuildLibraryText(records, "5.00", "12/11/26");
}

// The record lines of a written text (between the root's start and end lines).
std::string Body(const std::string& text)
{
    const size_t start = text.find("<TRK>");
    const size_t end = text.rfind("</KelvaneMusicLibrary>");
    return text.substr(start, end - start);
}

void ReadBack(const std::string& text, TrackArray& records)
{
    XmlMarkup xml;
    EXPECT_TRUE(xml.SetDocument(CString(text)));
    records.RemoveAll();
    ReadLibraryRecords(xml, records, false);
}

TEST(PlaylistText, PathsGetTheExtensionOnceInAnyLetterCase)
{
    struct Case { const char* path; const char* written; };
    const Case cases[] = {
        {"C:\\Lists\\party", "C:\\Lists\\party.txl"},
        {"C:\\Lists\\party.txl", "C:\\Lists\\party.txl"},
        {"C:\\Lists\\party.TXL", "C:\\Lists\\party.TXL"},
        {"C:\\Lists\\party.Txl", "C:\\Lists\\party.Txl"},
        {"C:\\Lists\\party.txl.bak", "C:\\Lists\\party.txl.bak.txl"},
        {"txl", "txl.txl"},
        {"", ".txl"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.written, playlists::PlaylistPath(c.path)) << c.path;
}

TEST(PlaylistText, NamesLoseTheirLastExtensionOnly)
{
    EXPECT_STREQ("party", playlists::PlaylistName("party.txl"));
    EXPECT_STREQ("a.b", playlists::PlaylistName("a.b.txl"));
    EXPECT_STREQ("120526-101010", playlists::PlaylistName("120526-101010.TXL"));
    EXPECT_STREQ("plain", playlists::PlaylistName("plain"));
}

TEST(PlaylistText, TextModeLinesEndEveryLineInOneLineFeed)
{
    struct Case { std::string bytes; std::string lines; };
    const Case cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\nb", "a\nb\n"},
        {"a\r\r\nb\r", "a\r\nb\r\n"},
        {"a\r\nb\x1A" "c\r\n", "a\nb\n"},
        {"", ""},
        {"\r\n\r\n", "\n\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.lines, playlists::TextModeLines(c.bytes)) << c.bytes;
}

TEST(PlaylistText, AppendKeepsTheOldLinesAndAddsTheWritersElements)
{
    TrackArray old;
    Fill(old, {Record("C:\\a.mp3", "A", "One", 100)});
    TrackArray added;
    Fill(added, {Record("C:\\b.mp3", "B", "Two", 200),
                                      Record("C:\\c.wav", "C", "Three", 300)});
    std::string text = playlists::TextModeLines(Text(old));
    const std::string before = text;
    ASSERT_TRUE(playlists::AppendRecordsToText(text, added));

    // Old lines end in LF, new ones in CR LF (as the writer writes them),
    // the count is raised by two.
    std::string expected = before.substr(0, before.rfind("</KelvaneMusicLibrary>"));
    expected.replace(expected.find("Tracks=\"1\""), 10, "Tracks=\"3\"");
    expected += Body(Text(added));
    expected += "</KelvaneMusicLibrary>\n";
    EXPECT_EQ(expected, text);

    TrackArray back;
    ReadBack(text, back);
    ASSERT_EQ(3, back.GetSize());
    EXPECT_STREQ("C:\\a.mp3", back[0].m_FileName);
    EXPECT_STREQ("Two", back[1].m_Title);
    EXPECT_EQ(300, back[2].m_Length);
    EXPECT_STREQ("in", back[2].m_Cue1Name);
}

TEST(PlaylistText, AppendToAnEmptyPlaylistOpensItsRoot)
{
    TrackArray none;
    std::string text = playlists::TextModeLines(Text(none));
    ASSERT_NE(std::string::npos, text.find("Tracks=\"0\"/>"));
    TrackArray added;
    Fill(added, {Record("C:\\b.mp3", "B", "Two", 200)});
    ASSERT_TRUE(playlists::AppendRecordsToText(text, added));
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
        "<KelvaneMusicLibrary Version=\"5.00\" Date=\"12/11/26\" Tracks=\"1\">\r\n" +
        Body(Text(added)) + "</KelvaneMusicLibrary>\n";
    EXPECT_EQ(expected, text);
    TrackArray back;
    ReadBack(text, back);
    EXPECT_EQ(1, back.GetSize());
}

TEST(PlaylistText, AppendCountsFromATrackCountThatIsNoNumberAsZero)
{
    TrackArray one;
    Fill(one, {Record("C:\\b.mp3", "B", "T", 1)});
    std::string text =
        "<?xml version=\"1.0\"?>\n<KelvaneMusicLibrary Version=\"5.00\" Tracks=\"many\">\n"
        "</KelvaneMusicLibrary>\n";
    ASSERT_TRUE(playlists::AppendRecordsToText(text, one));
    EXPECT_NE(std::string::npos, text.find("Tracks=\"1\""));
    TrackArray back;
    ReadBack(text, back);
    EXPECT_EQ(1, back.GetSize());
}

TEST(PlaylistText, AppendLeavesTextsThatAreNoPlaylistAlone)
{
    const std::vector<std::string> texts = {
        "",
        "not xml at all",
        "<?xml version=\"1.0\"?>\n<Other Tracks=\"0\"/>\n",
        "<?xml version=\"1.0\"?>\n<KelvaneMusicLibrary Tracks=\"1\">\n<TRK>\n",
        // An empty root in a loose form the edit would not open.
        "<KelvaneMusicLibrary Tracks=\"\"//>",
    };
    TrackArray one;
    Fill(one, {Record("C:\\b.mp3", "B", "T", 1)});
    for (std::string text : texts) {
        const std::string before = text;
        EXPECT_FALSE(playlists::AppendRecordsToText(text, one))
            << before;
        EXPECT_EQ(before, text);
    }
}

TEST(PlaylistText, AppendedTextsKeepTheLineLayout)
{
    CTrackRecord r = Record("C:\\b.mp3", "Tab\there", "Line\r\nbreak", 1);
    r.m_Cue2Name = "q\"<&>'";
    TrackArray none, single;
    Fill(single, {r});
    std::string text = playlists::TextModeLines(Text(none));
    ASSERT_TRUE(playlists::AppendRecordsToText(text, single));
    TrackArray back;
    ReadBack(text, back);
    ASSERT_EQ(1, back.GetSize());
    EXPECT_STREQ("Tab here", back[0].m_Artist);
    EXPECT_STREQ("Line  break", back[0].m_Title);
    EXPECT_STREQ("q\"<&>'", back[0].m_Cue2Name);
    EXPECT_EQ(Body(Text(back)), Body(text));
}

TEST(PlaylistText, M3uFolderIsThePathUpToItsLastBackslash)
{
    EXPECT_STREQ("D:\\Mixes\\", playlists::M3uFolder("D:\\Mixes\\list.m3u"));
    EXPECT_STREQ("", playlists::M3uFolder("list.m3u"));
    EXPECT_STREQ("\\\\srv\\share\\", playlists::M3uFolder("\\\\srv\\share\\x.m3u"));
}

TEST(PlaylistText, M3uEntriesAreMusicLinesThatAreNoComments)
{
    const std::string text =
        "\xEF\xBB\xBF#EXTM3U\r\n"
        "#EXTINF:205,A - T\r\n"
        "C:\\m\\a.mp3\r\n"
        "Tunes\\b.MP3\n"
        "\\rooted.wav\n"
        "\n"
        "song.ogg\r\n"
        "track.m4a\n"
        "spaced.mp3 \n"
        "#comment.mp3\n"
        "C:\\m\\a.mp3\n"
        "x.Wav";
    const std::vector<CString> entries = playlists::ReadM3uEntries(text, "D:\\Mixes\\");
    const std::vector<std::string> expected = {
        "C:\\m\\a.mp3", "D:\\Mixes\\Tunes\\b.MP3", "D:\\Mixes\\\\rooted.wav",
        "C:\\m\\a.mp3", "D:\\Mixes\\x.Wav"};
    ASSERT_EQ(expected.size(), entries.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], entries[i].str()) << i;
}

TEST(PlaylistText, M3uWithoutAByteOrderMarkReadsItsFirstLine)
{
    const std::vector<CString> entries = playlists::ReadM3uEntries("a.mp3\r\n#x.mp3", "F:\\");
    ASSERT_EQ(1u, entries.size());
    EXPECT_STREQ("F:\\a.mp3", entries[0]);
    EXPECT_TRUE(playlists::ReadM3uEntries("\xEF\xBB\xBF", "F:\\").empty());
    EXPECT_TRUE(playlists::ReadM3uEntries("", "F:\\").empty());
}

TEST(PlaylistText, M3uTextIsExtendedM3uWithCrLfLines)
{
    TrackArray none;
    EXPECT_EQ("#EXTM3U\r\n", playlists::BuildM3uText(none));
    TrackArray records;
    Fill(records, {Record("C:\\m\\a.mp3", "A", "T", 205),
                                        Record("C:\\m\\b.wav", "", "No artist", 0),
                                        Record("C:\\m\\c.mp3", "Two\nlines", "x\ry", -1)});
    EXPECT_EQ("#EXTM3U\r\n"
              "#EXTINF:205,A - T\r\nC:\\m\\a.mp3\r\n"
              "#EXTINF:0, - No artist\r\nC:\\m\\b.wav\r\n"
              "#EXTINF:-1,Two lines - x y\r\nC:\\m\\c.mp3\r\n",
              playlists::BuildM3uText(records));
}

TEST(PlaylistText, DriveChangesMoveOnlyTheDriveAtTheStart)
{
    struct Case { const char* path; char from; char to; const char* changed; int count; };
    const Case cases[] = {
        {"D:\\Music\\x.mp3", 'D', 'E', "E:\\Music\\x.mp3", 1},
        {"d:\\music\\x.mp3", 'D', 'E', "E:\\music\\x.mp3", 1},
        {"C:\\D:\\x.mp3", 'D', 'E', "C:\\D:\\x.mp3", 0},
        {"D:\\D:\\x.mp3", 'D', 'E', "E:\\D:\\x.mp3", 1},
        {"\\\\srv\\D:\\x.mp3", 'D', 'E', "\\\\srv\\D:\\x.mp3", 0},
        {"D", 'D', 'E', "D", 0},
        {"", 'D', 'E', "", 0},
    };
    for (const Case& c : cases) {
        TrackArray records;
        Fill(records, {Record(c.path, "a", "t", 1)});
        EXPECT_EQ(c.count, playlists::ChangeDriveInRecords(records, c.from, c.to)) << c.path;
        EXPECT_STREQ(c.changed, records[0].m_FileName) << c.path;
    }
    TrackArray two;
    Fill(two, {Record("D:\\a.mp3", "a", "t", 1), Record("D:\\b.mp3", "a", "t", 1)});
    EXPECT_EQ(2, playlists::ChangeDriveInRecords(two, 'D', 'F'));
}

} // namespace

namespace {

TEST(PlaylistText, AppendToAWrittenFileGivesTheParsersBytes)
{
    CTrackRecord odd = Record("C:\\o.mp3", "Q\"<&>'", "Tab\there", 7);
    TrackArray none, one, three, added;
    Fill(one, {Record("C:\\a.mp3", "A", "One", 100)});
    Fill(three, {Record("C:\\a.mp3", "A", "One", 100), odd, Record("C:\\c.wav", "", "", 0)});
    Fill(added, {Record("C:\\b.mp3", "B", "Two", 200), odd});
    const std::string bare =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
        "<KelvaneMusicLibrary Version=\"5.00\" Date=\"12/11/26\" Tracks=\"7\">\r\n"
        "</KelvaneMusicLibrary>\r\n";
    const std::string referenced =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
        "<KelvaneMusicLibrary Version=\"5.00\" Date=\"12/11/26\" Tracks=\"&#50;\"/>\r\n";
    for (const std::string& file : {Text(none), Text(one), Text(three), bare, referenced}) {
        for (const TrackArray* records : {&none, &added}) {
            std::string expected = playlists::TextModeLines(file);
            const bool parsed = playlists::AppendRecordsToText(expected, *records);
            std::string text;
            EXPECT_EQ(parsed, playlists::AppendRecordsToFileText(CString(file), *records, text));
            EXPECT_EQ(expected, text) << file;
        }
    }
}

} // namespace
