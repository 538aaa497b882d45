// Archive playlists, the archive library, the older XML layout and the
// exports, over real files in the test's own folder.
#include "ArchiveBytes.h"
#include "LegacyFixture.h"

#include "framework/core/CMemFile.h"
#include "library/legacy/ArchiveFormats.h"
#include "tests/library/LibraryTestState.h"

using legacy_test::AddTo;
using legacy_test::Bytes;
using legacy_test::BytesOf;
using legacy_test::FullRecord;
using legacy_test::LegacyTest;
using legacy_test::SameRecord;

namespace {

using Tracks = CArray<CTrackRecord, CTrackRecord&>;

size_t CountOf(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// A copy of the test tone with a tag naming title and artist.
std::string TaggedTone(const std::string& path, const char* title, const char* artist)
{
    EXPECT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("tone440.mp3"), path));
    TAG_INFO info;
    info.Path = path.c_str();
    info.Title = title;
    info.Artist = artist;
    EXPECT_TRUE(VIZU::SetID3TagInfo(&info, path.c_str())) << path;
    return path;
}

std::string PlaylistBytes(std::initializer_list<CTrackRecord> records)
{
    CMemFile f;
    for (const CTrackRecord& r : records)
        legacy::StorePlaylistRecord(f, r);
    return BytesOf(f);
}

} // namespace

TEST_F(LegacyTest, CreateNewPlaylistMakesAnEmptyFileNamedByTheExtensionRule)
{
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("a.txl"), "old content"));
    EXPECT_TRUE(VIZU::CreateNewPlaylist(File("a.txl").c_str()));
    EXPECT_EQ("", Read(File("a.txl")));
    EXPECT_TRUE(Exists(File("a.txl")));

    EXPECT_TRUE(VIZU::CreateNewPlaylist(File("b").c_str()));
    EXPECT_TRUE(Exists(File("b.txl")));
    // The extension in any letter case is the playlist's own, as for the
    // playlists of the library file's layout.
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("c.TXL"), "old content"));
    EXPECT_TRUE(VIZU::CreateNewPlaylist(File("c.TXL").c_str()));
    EXPECT_EQ("", Read(File("c.TXL")));
    EXPECT_FALSE(Exists(File("c.TXL.txl")));
    EXPECT_FALSE(VIZU::CreateNewPlaylist(File("missing\\d").c_str()));

    // An empty playlist reads as nothing there.
    Tracks tracks;
    AddTo(tracks, FullRecord(1));
    EXPECT_EQ(-1, VIZU::LoadPlaylistToArray(File("a.txl").c_str(), &tracks));
    EXPECT_EQ(1, tracks.GetSize());
    EXPECT_EQ(-1, VIZU::DisplayPlaylist(m_list.get(), nullptr, File("a").c_str(), false));
    EXPECT_EQ(0, Rows());
}

TEST_F(LegacyTest, WritePlaylistFromListStoresEachRowsTagsFromAFreshRecord)
{
    const std::string one = TaggedTone(File("one.mp3"), "First", "Band A");
    const std::string two = TaggedTone(File("two.mp3"), "Second", "Band B");
    const std::string notes = File("notes.txt");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(notes, "not music"));
    for (const std::string& path : {one, notes, two}) {
        CTrackRecord r;
        r.m_FileName = path.c_str();
        r.m_Title = "row text, not read";
        ASSERT_TRUE(VIZU::InsertRecIntoList(m_list.get(), nullptr, &r, false));
    }

    EXPECT_EQ(3, VIZU::WritePlaylistFromList(File("list").c_str(), m_list.get()));
    const std::string bytes = Read(File("list.txl"));
    EXPECT_EQ(3u, CountOf(bytes, "CTrackRecord"));
    EXPECT_EQ(Bytes().NewRecordClass().Str(), bytes.substr(0, 18));

    Tracks tracks;
    for (int i = 0; i < 5; ++i)
        AddTo(tracks, FullRecord(i));
    EXPECT_EQ(3, VIZU::LoadPlaylistToArray(File("list.txl").c_str(), &tracks));
    ASSERT_EQ(8, tracks.GetSize());
    EXPECT_STREQ("First", tracks[5].m_Title);
    EXPECT_STREQ("Band A", tracks[5].m_Artist);
    EXPECT_STREQ(one.c_str(), tracks[5].m_FileName);
    EXPECT_GT(tracks[5].m_Length, 0);
    // The text file's tags cannot be read: its record is empty, not a copy
    // of the row before.
    EXPECT_TRUE(SameRecord(CTrackRecord(), tracks[6]));
    EXPECT_STREQ("Second", tracks[7].m_Title);
}

TEST_F(LegacyTest, AppendTrackToPlaylistAddsOneRecordToAnExistingFile)
{
    EXPECT_FALSE(VIZU::AppendTrackToPlaylist(File("none").c_str(), File("x.mp3").c_str()));
    EXPECT_FALSE(Exists(File("none")));
    EXPECT_FALSE(Exists(File("none.txl")));

    const std::string one = TaggedTone(File("one.mp3"), "First", "Band A");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("notes.txt"), "text"));
    ASSERT_TRUE(VIZU::CreateNewPlaylist(File("p").c_str()));
    EXPECT_TRUE(VIZU::AppendTrackToPlaylist(File("p").c_str(), one.c_str()));
    EXPECT_TRUE(VIZU::AppendTrackToPlaylist(File("p.txl").c_str(), File("notes.txt").c_str()));
    EXPECT_EQ(2u, CountOf(Read(File("p.txl")), "CTrackRecord"));

    EXPECT_EQ(0, VIZU::DisplayPlaylist(m_list.get(), nullptr, File("p").c_str(), false));
    ASSERT_EQ(2, Rows());
    EXPECT_EQ("First", Text(0, 0));
    EXPECT_EQ("Band A", Text(0, 1));
    EXPECT_EQ("", Text(1, 0));
    EXPECT_EQ("", Text(1, 1));
}

TEST_F(LegacyTest, DisplayPlaylistNumbersItsRowsAndAlwaysAddsTheExtension)
{
    CTrackRecord a = FullRecord(1);
    CTrackRecord b = FullRecord(2);
    a.m_Index = 77;
    b.m_Index = 78;
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("old.txl.txl"), PlaylistBytes({a, b})));
    EXPECT_EQ(0, VIZU::DisplayPlaylist(m_list.get(), nullptr, File("old.txl").c_str(), false));
    ASSERT_EQ(2, Rows());
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(std::to_string(row + 1), Text(row, 9));
        EXPECT_EQ(row + 1, Data(row));
    }
    EXPECT_EQ("Title 2", Text(1, 0));

    // A damaged file: the rows before the damage stay.
    std::string cut = PlaylistBytes({a, b});
    cut.resize(cut.size() - 3);
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("cut.txl"), cut));
    EXPECT_EQ(-1, VIZU::DisplayPlaylist(m_list.get(), nullptr, File("cut").c_str(), false));
    ASSERT_EQ(1, Rows());
    EXPECT_EQ("Title 1", Text(0, 0));
}

TEST_F(LegacyTest, LoadPlaylistToArrayFailsOnMissingAndDamagedFilesAndReadsReadOnlyOnes)
{
    Tracks tracks;
    EXPECT_EQ(-1, VIZU::LoadPlaylistToArray(File("missing.txl").c_str(), &tracks));
    EXPECT_EQ(0, tracks.GetSize());

    const std::string other =
        PlaylistBytes({FullRecord(1)}) + Bytes().U16(0xFFFF).U16(1).U16(14).Raw("CTrackRecord40").Str();
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("other.txl"), other));
    EXPECT_EQ(-1, VIZU::LoadPlaylistToArray(File("other.txl").c_str(), &tracks));
    ASSERT_EQ(1, tracks.GetSize());
    EXPECT_TRUE(SameRecord(FullRecord(1), tracks[0]));

    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("ro.txl"), PlaylistBytes({FullRecord(3)})));
    ASSERT_TRUE(SetFileAttributesA(File("ro.txl").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(1, VIZU::LoadPlaylistToArray(File("ro.txl").c_str(), &tracks));
    SetFileAttributesA(File("ro.txl").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(2, tracks.GetSize());
    EXPECT_TRUE(SameRecord(FullRecord(3), tracks[1]));
}

TEST_F(LegacyTest, ArchiveLibraryFilesOfMatchingShortAndZeroCounts)
{
    const struct
    {
        const char* name;
        int declared;
        int held;
        int result;
    } cases[] = {{"three.lib", 3, 3, 3}, {"short.lib", 5, 2, -1}, {"zero.lib", 0, 0, 0}};
    for (const auto& c : cases) {
        Bytes b;
        b.Text("TXTracks").I32(c.declared);
        for (int i = 1; i <= c.held; ++i)
            b.Fields(FullRecord(i));
        ASSERT_TRUE(tavrix_test::WriteFileBytes(File(c.name), b.Str()));
        Tracks tracks;
        AddTo(tracks, FullRecord(40));
        EXPECT_EQ(c.result, VIZU::LoadLibToArray(File(c.name).c_str(), &tracks)) << c.name;
        ASSERT_EQ(c.held, tracks.GetSize()) << c.name;
        for (int i = 0; i < c.held; ++i)
            EXPECT_TRUE(SameRecord(FullRecord(i + 1), tracks[i])) << c.name << " " << i;
    }
    Tracks tracks;
    EXPECT_EQ(-1, VIZU::LoadLibToArray(File("missing.lib").c_str(), &tracks));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("cut.lib"), Bytes().Text("TXTracks").U16(1).Str()));
    EXPECT_EQ(-1, VIZU::LoadLibToArray(File("cut.lib").c_str(), &tracks));
}

TEST_F(LegacyTest, OlderLayoutWrittenAndCounted)
{
    tracklist_test::SetLibrary({{"Song", "Band"}, {"Other", "Group"}, {"Third", "Trio"}});
    EXPECT_EQ(3, VIZU::SaveToXML(File("old.xml").c_str()));
    const std::string text = Read(File("old.xml"));
    EXPECT_EQ(0u, text.find("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                            "<KelvaneMusicLibrary Version=\"5.00\" Date=\""));
    EXPECT_NE(std::string::npos, text.find("Tracks=\"3\">\r\n<TRK>\r\n<FN/>\r\n<AR>Band</AR>\r\n"));
    EXPECT_EQ(3, VIZU::LoadFromXML(File("old.xml").c_str()));
    ASSERT_EQ(3, m_Tracks.GetSize());
    EXPECT_STREQ("Third", m_Tracks[2].m_Title);

    // The library file's own layout counts too.
    EXPECT_EQ(3, VIZU::XML_SaveLib(File("new.txd").c_str()));
    EXPECT_EQ(3, VIZU::LoadFromXML(File("new.txd").c_str()));

    tracklist_test::SetLibrary({});
    EXPECT_EQ(0, VIZU::SaveToXML(File("empty.xml").c_str()));
    EXPECT_NE(std::string::npos, Read(File("empty.xml")).find("Tracks=\"0\"/>\r\n"));
    EXPECT_EQ(0, VIZU::LoadFromXML(File("empty.xml").c_str()));

    // Files that cannot be written or read: failure results, no exception.
    EXPECT_EQ(-1, VIZU::SaveToXML(File("missing\\old.xml").c_str()));
    EXPECT_EQ(-1, VIZU::LoadFromXML(File("missing.xml").c_str()));
}

TEST_F(LegacyTest, CheckForNullInStringAnswersTrue)
{
    EXPECT_TRUE(VIZU::CheckForNULLInString("plain"));
    EXPECT_TRUE(VIZU::CheckForNULLInString(CString(std::string("a\0b", 3))));
    EXPECT_TRUE(VIZU::CheckForNULLInString(""));
}

namespace {

// A playlist in the library-file layout with two tracks.
void WriteSource(const std::string& path)
{
    tracklist_test::SetLibrary({{"Song", "Band"}, {"12\" Mix, \"Long\"", "The Band"}});
    m_Tracks[0].m_Length = 225;
    m_Tracks[0].m_BPMText = "12000";
    m_Tracks[0].m_PlayCount = 4;
    ASSERT_EQ(2, VIZU::XML_SaveLib(path.c_str()));
    m_Tracks.RemoveAll();
}

} // namespace

TEST_F(LegacyTest, CsvExportWritesTheTickedColumnsInTheirOrder)
{
    WriteSource(File("source.txl"));
    tagExportFields fields;
    fields.Title = true;
    fields.Artist = true;
    fields.Header = true;
    fields.Source = File("source.txl").c_str();
    m_prompts.saveAs = File("list");
    EXPECT_EQ(2, VIZU::ExportToCSV(&fields));
    EXPECT_EQ("\"Artist\",\"Title\"\r\n"
              "\"Band\",\"Song\"\r\n"
              "\"The Band\",\"12\"\" Mix, \"\"Long\"\"\"\r\n",
              Read(File("list.csv")));
    ASSERT_EQ(1u, m_prompts.filters.size());
    EXPECT_EQ("CSV Files (*.csv)|*.csv|", m_prompts.filters[0]);

    fields = tagExportFields();
    fields.Length = true;
    fields.BPM = true;
    fields.PlayCtr = true;
    fields.Source = File("source.txl").c_str();
    m_prompts.saveAs = File("LIST.CSV");
    EXPECT_EQ(2, VIZU::ExportToCSV(&fields));
    EXPECT_EQ("\"003:45\",\"120.00\",\"4\"\r\n\"000:00\",\"000.00\",\"0\"\r\n",
              Read(File("LIST.CSV")));
    EXPECT_TRUE(m_prompts.shown.empty());
}

TEST_F(LegacyTest, CsvExportFailures)
{
    tagExportFields fields;
    fields.Title = true;
    fields.Header = true;
    fields.Source = File("missing.txl").c_str();
    // Cancelled: nothing written.
    m_prompts.saveAs.clear();
    EXPECT_EQ(-1, VIZU::ExportToCSV(&fields));
    // A source that cannot be read: the header alone.
    m_prompts.saveAs = File("out.csv");
    EXPECT_EQ(0, VIZU::ExportToCSV(&fields));
    EXPECT_EQ("\"Title\"\r\n", Read(File("out.csv")));
    EXPECT_TRUE(m_prompts.shown.empty());
    // An output file that cannot be made: told, and -1.
    m_prompts.saveAs = File("missing\\out.csv");
    EXPECT_EQ(-1, VIZU::ExportToCSV(&fields));
    ASSERT_EQ(1u, m_prompts.shown.size());
    EXPECT_EQ("Unable to open output file: " + File("missing\\out.csv"), m_prompts.shown[0].text);
    EXPECT_EQ("Kelvane Library Manager", m_prompts.shown[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), m_prompts.shown[0].type);
}

TEST_F(LegacyTest, TextListExportIsTitleThenArtist)
{
    WriteSource(File("source.txl"));
    m_prompts.saveAs = File("names");
    EXPECT_EQ(2, VIZU::ExportToSimpleTextList(File("source.txl").c_str()));
    EXPECT_EQ("Song - Band\r\n12\" Mix, \"Long\" - The Band\r\n", Read(File("names.txt")));
    EXPECT_EQ("Text Files (*.txt)|*.txt|", m_prompts.filters.back());

    m_prompts.saveAs.clear();
    EXPECT_EQ(-1, VIZU::ExportToSimpleTextList(File("source.txl").c_str()));
}
