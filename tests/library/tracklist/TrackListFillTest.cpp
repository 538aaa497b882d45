// Track rows from records and from files' tags: texts, images, item data,
// the fillers' edge cases, the total length of a list.
#include "TrackListFixture.h"

#include "library/state/LibraryState.h"
#include "tests/support/TestSupport.h"

#include <vector>

using namespace tracklist_test;

namespace {

class FillTest : public TrackListTest
{
protected:
    // An existing file of the given name in the temporary folder.
    std::string Existing(const std::string& name)
    {
        std::string path = m_dir.File(name);
        tavrix_test::WriteFileBytes(path, "not really audio");
        return path;
    }
    tavrix_test::TempDir m_dir;
};

const Track kSong = {"Song", "Band", "Record", "Rock", "1999", "C:\\music\\song.mp3", "12850",
                     225, 17, 4, 1};

} // namespace

TEST_F(FillTest, DisplayTracksWritesTheTrackRow)
{
    SetLibrary({kSong,
                {"Other", "Duo", "LP", "Jazz", "2001", "C:\\music\\b.wav", "98.5", 620, 3, 0, 0},
                {"Third", "", "", "", "", "C:\\x", "", 0, -2, 12, 2}});
    CImageList* icons = LibraryTrackIcons();
    EXPECT_EQ(3, VIZU::DisplayTracks(m_list.get(), false, icons, false, false));
    ASSERT_EQ(3, Rows());
    EXPECT_EQ(icons->GetSafeHandle(), ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_SMALL));

    struct Row
    {
        std::vector<std::string> texts;
        int image;
        int picture;
    };
    const Row rows[] = {
        {{"Song", "Band", "", "Record", "Rock", "003:45", "1999", "128.50", "C:\\music\\song.mp3", "17", "4"}, 5, 16},
        {{"Other", "Duo", "", "LP", "Jazz", "010:20", "2001", "009.85", "C:\\music\\b.wav", "3", "0"}, 13, 15},
        {{"Third", "", "", "", "", "000:00", "", "000.00", "C:\\x", "-2", "12"}, 5, 15},
    };
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        for (int sub = 0; sub < 11; ++sub)
            EXPECT_EQ(rows[r].texts[sub], Text(r, sub)) << sub;
        EXPECT_EQ(rows[r].image, Image(r, 0));
        EXPECT_EQ(rows[r].picture, Image(r, 2));
        EXPECT_EQ(r, Data(r));   // the record's position
    }
    // The library keeps its own tempo texts.
    EXPECT_STREQ("12850", m_Tracks[0].m_BPMText);
}

TEST_F(FillTest, TypeImagesByExactWavEndingAndExistence)
{
    std::string wav = Existing("here.wav");
    std::string mp3 = Existing("here.mp3");
    std::string upperWav = Existing("HERE2.WAV");
    struct Case
    {
        std::string path;
        bool checkExists;
        int image;
    };
    const Case cases[] = {
        {"C:\\a\\song.WAV", false, 5},
        {"C:\\a\\song.wav", false, 13},
        {"C:\\a\\song.mp3", false, 5},
        {"C:\\a\\song.ogg", false, 5},
        {"C:\\a\\wav", false, 13},
        {wav, true, 13},
        {upperWav, true, 5},
        {mp3, true, 5},
        {m_dir.File("gone.wav"), true, 11},
        {m_dir.File("gone.mp3"), true, 11},
        {m_dir.File("gone.wav"), false, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + (c.checkExists ? " checked" : ""));
        Track t = kSong;
        t.path = c.path.c_str();
        SetLibrary({t});
        EXPECT_EQ(1, VIZU::DisplayTracks(m_list.get(), c.checkExists, LibraryTrackIcons(), false, false));
        EXPECT_EQ(c.image, Image(0, 0));
        m_list->DeleteAllItems();
        CTrackRecord rec = MakeRecord(t);
        EXPECT_TRUE(VIZU::InsertRecIntoList(m_list.get(), nullptr, &rec, c.checkExists));
        EXPECT_EQ(c.image, Image(0, 0));
        m_list->DeleteAllItems();
        // The three-column rows choose the same way.
        EXPECT_EQ(1, VIZU::DisplayFilteredEZTracks(m_list.get(), 23, "", c.checkExists));
        EXPECT_EQ(c.image, Image(0, 0));
    }
}

TEST_F(FillTest, DisplayTracksOnAnEmptyLibraryEmptiesTheListAndKeepsItsImages)
{
    m_list->InsertItem(0, "left over");
    CImageList own;
    ASSERT_TRUE(own.Create(16, 16, ILC_COLOR32, 1, 1));
    m_list->SetImageList(&own, LVSIL_SMALL);
    m_Tracks.RemoveAll();
    EXPECT_EQ(0, VIZU::DisplayTracks(m_list.get(), true, LibraryTrackIcons(), false, false));
    EXPECT_EQ(0, Rows());
    EXPECT_EQ(own.GetSafeHandle(), ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_SMALL));
    // Drawing is on again: a redraw-off list does not validate after painting.
    m_list->InsertItem(0, "drawn");
    m_list->Invalidate();
    m_list->UpdateWindow();
    EXPECT_FALSE(GetUpdateRect(m_list->GetSafeHwnd(), nullptr, FALSE));
    m_list->SetImageList(nullptr, LVSIL_SMALL);
}

TEST_F(FillTest, PlainIconsGiveImageZeroAndKeepThePictureImage)
{
    Track wav = kSong;
    wav.path = "C:\\m\\a.wav";
    wav.hasPicture = 0;
    SetLibrary({kSong, wav});
    EXPECT_EQ(2, VIZU::DisplayTracks(m_list.get(), true, LibraryTrackIcons(), true, false));
    EXPECT_EQ(0, Image(0, 0));
    EXPECT_EQ(0, Image(1, 0));
    EXPECT_EQ(16, Image(0, 2));
    EXPECT_EQ(15, Image(1, 2));
}

TEST_F(FillTest, InsertRecIntoListAppendsFormatsTheCallersTempoAndUsesTheIndexAsData)
{
    CTrackRecord first = MakeRecord(kSong);
    CTrackRecord second = MakeRecord(kSong);
    second.m_Index = 99;
    second.m_BPMText = "120";
    EXPECT_TRUE(VIZU::InsertRecIntoList(m_list.get(), nullptr, &first, false));
    EXPECT_TRUE(VIZU::InsertRecIntoList(m_list.get(), nullptr, &second, false));
    EXPECT_STREQ("128.50", first.m_BPMText);
    EXPECT_STREQ("001.20", second.m_BPMText);
    ASSERT_EQ(2, Rows());
    EXPECT_EQ("128.50", Text(0, 7));
    EXPECT_EQ("001.20", Text(1, 7));
    EXPECT_EQ(17, Data(0));
    EXPECT_EQ(99, Data(1));
    EXPECT_EQ("99", Text(1, 9));
    EXPECT_EQ(16, Image(1, 2));
}

TEST_F(FillTest, DisplayTracksV41WithAndWithoutImages)
{
    SetLibrary({kSong});
    CImageList normal;
    ASSERT_TRUE(normal.Create(32, 32, ILC_COLOR32, 1, 1));
    m_list->SetImageList(&normal, LVSIL_NORMAL);
    EXPECT_EQ(1, VIZU::DisplayTracksV41(m_list.get(), false, LibraryTrackIcons(), false));
    EXPECT_EQ(nullptr, ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_NORMAL));
    EXPECT_EQ(-1, Image(0, 0));
    EXPECT_EQ("Song", Text(0, 0));
    EXPECT_EQ("128.50", Text(0, 7));
    EXPECT_EQ(0, Data(0));

    EXPECT_EQ(1, VIZU::DisplayTracksV41(m_list.get(), false, LibraryTrackIcons(), true));
    EXPECT_EQ(LibraryTrackIcons()->GetSafeHandle(), ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_SMALL));
    EXPECT_EQ(5, Image(0, 0));
    EXPECT_EQ(16, Image(0, 2));
}

TEST_F(FillTest, PopulateListControlWritesTheOldestRow)
{
    Track t = kSong;
    t.bpm = "12050";
    SetLibrary({t});
    m_list->InsertItem(0, "left over");
    EXPECT_EQ(1, m_vizu->PopulateListControl(m_list.get(), true));
    ASSERT_EQ(1, Rows());
    EXPECT_EQ(0, Image(0, 0));
    EXPECT_EQ(17, Data(0));
    EXPECT_EQ("120.50", Text(0, 7));
    EXPECT_EQ("17", Text(0, 9));
    EXPECT_EQ("", Text(0, 10));
    EXPECT_EQ("003:45", Text(0, 5));
    m_Tracks.RemoveAll();
    EXPECT_EQ(0, m_vizu->PopulateListControl(m_list.get(), false));
    EXPECT_EQ(0, Rows());
}

TEST_F(FillTest, UpdateListItemFromArrayRewritesTextsAndKeepsImageAndData)
{
    EXPECT_FALSE(VIZU::UpdateListItemFromArray(m_list.get(), 0, 17));   // empty library
    m_list->InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, 0, "old", 0, 0, 9, 1234);
    Track a = kSong;
    a.index = 17;
    a.title = "First";
    Track b = kSong;
    b.index = 17;
    b.title = "Second of the same number";
    SetLibrary({a, b});
    EXPECT_FALSE(VIZU::UpdateListItemFromArray(m_list.get(), 0, 18));
    EXPECT_EQ("old", Text(0, 0));
    EXPECT_TRUE(VIZU::UpdateListItemFromArray(m_list.get(), 0, 17));
    EXPECT_EQ("First", Text(0, 0));
    EXPECT_EQ("128.50", Text(0, 7));
    EXPECT_EQ("17", Text(0, 9));
    EXPECT_EQ(9, Image(0, 0));
    EXPECT_EQ(16, Image(0, 2));
    EXPECT_EQ(1234, Data(0));
    EXPECT_STREQ("12850", m_Tracks[0].m_BPMText);
}

TEST_F(FillTest, TotalQueueTimeAddsTheShownLengths)
{
    struct Case
    {
        std::vector<const char*> lengths;
        const char* total;
    };
    const Case cases[] = {
        {{"003:45", "010:20"}, "0:14:05"},
        {{}, "0:00:00"},
        {{"045"}, "0:00:45"},
        {{"120:00", "000:59", "001:01"}, "2:02:00"},
        {{"", "abc"}, "0:00:00"},
    };
    for (const Case& c : cases) {
        m_list->DeleteAllItems();
        for (size_t i = 0; i < c.lengths.size(); ++i) {
            int row = m_list->InsertItem(static_cast<int>(i), "t");
            m_list->SetItemText(row, 5, c.lengths[i]);
        }
        EXPECT_STREQ(c.total, VIZU::GetTotalQueueTime(m_list.get())) << c.total;
    }
}

TEST_F(FillTest, InsertTrackIntoListReadsTheTagsOfMp3AndWavOnly)
{
    std::string mp3 = m_dir.File("tagged.MP3");
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("import_latin1.mp3"), mp3));
    std::string wav = m_dir.File("tone.wav");
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("tone440.wav"), wav));
    std::string ogg = Existing("other.ogg");
    m_list->InsertItem(0, "row before");

    EXPECT_TRUE(VIZU::InsertTrackIntoList(m_list.get(), mp3.c_str(), LibraryTrackIcons()));
    EXPECT_TRUE(VIZU::InsertTrackIntoList(m_list.get(), wav.c_str(), nullptr));
    EXPECT_TRUE(VIZU::InsertTrackIntoList(m_list.get(), ogg.c_str(), LibraryTrackIcons()));
    ASSERT_EQ(4, Rows());

    // Texts from the file's tags.
    EXPECT_EQ("Import Title", Text(1, 0));
    EXPECT_EQ("Import Artist", Text(1, 1));
    EXPECT_EQ("Import Album", Text(1, 3));
    EXPECT_EQ(mp3, Text(1, 8));
    EXPECT_EQ("", Text(1, 9));   // not written
    EXPECT_EQ("000:01", Text(1, 5));
    EXPECT_EQ(5, Image(1, 0));
    EXPECT_EQ(15, Image(1, 2));
    EXPECT_EQ(1, Data(1));

    EXPECT_EQ(13, Image(2, 0));
    EXPECT_EQ(wav, Text(2, 8));
    EXPECT_EQ("000:03", Text(2, 5));
    EXPECT_EQ(2, Data(2));

    EXPECT_EQ(0, Image(3, 0));
    EXPECT_EQ("", Text(3, 0));
    EXPECT_EQ("", Text(3, 8));
    EXPECT_EQ("000:00", Text(3, 5));
    EXPECT_EQ(3, Data(3));
    EXPECT_EQ(LibraryTrackIcons()->GetSafeHandle(), ListView_GetImageList(m_list->GetSafeHwnd(), LVSIL_SMALL));
}

TEST_F(FillTest, UpdateListItemFromTagSetsTheIndexColumnToZero)
{
    std::string mp3 = m_dir.File("tagged.mp3");
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("import_latin1.mp3"), mp3));
    CTrackRecord rec = MakeRecord(kSong);
    VIZU::InsertRecIntoList(m_list.get(), nullptr, &rec, false);
    EXPECT_EQ("17", Text(0, 9));
    EXPECT_TRUE(VIZU::UpdateListItemFromTag(mp3.c_str(), m_list.get(), 0));
    EXPECT_EQ("Import Title", Text(0, 0));
    EXPECT_EQ("Import Album", Text(0, 3));
    EXPECT_EQ("0", Text(0, 9));
    EXPECT_EQ(mp3, Text(0, 8));
    EXPECT_EQ(5, Image(0, 0));
    EXPECT_EQ(17, Data(0));
    EXPECT_EQ(15, Image(0, 2));
}

TEST_F(FillTest, CopyListToArrayBuildsEveryRecordFromItsOwnRow)
{
    std::string tagged = m_dir.File("tagged.mp3");
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("import_latin1.mp3"), tagged));
    std::string plain = m_dir.File("plain.mp3");
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("import_plain.mp3"), plain));
    const std::string paths[] = {tagged, m_dir.File("missing.mp3"), Existing("x.ogg"), plain, tagged};
    for (const std::string& p : paths) {
        Track t = kSong;
        t.path = p.c_str();
        CTrackRecord rec = MakeRecord(t);
        VIZU::InsertRecIntoList(m_list.get(), nullptr, &rec, false);
    }
    CArray<CTrackRecord, CTrackRecord&> tracks;
    CTrackRecord stale = MakeRecord(kSong);
    tracks.Add(stale);

    EXPECT_EQ(5, VIZU::CopyListToArray(m_list.get(), &tracks));
    ASSERT_EQ(5, tracks.GetSize());
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(paths[i], tracks[i].m_FileName.GetString());
        // Nothing of the list's rows or of another file: index, cue points
        // and volume as a new record has them.
        EXPECT_EQ(0, tracks[i].m_Index);
        EXPECT_EQ(100, tracks[i].m_Volume);
        EXPECT_EQ(0, tracks[i].m_Cue1);
    }
    // Tagged rows carry their file's tags, not the list's texts.
    EXPECT_STREQ("Import Title", tracks[0].m_Title);
    EXPECT_STREQ("Import Artist", tracks[0].m_Artist);
    EXPECT_STREQ("MP3", tracks[0].m_FileType);
    EXPECT_EQ(1, tracks[0].m_Length);
    EXPECT_STREQ("MP3", tracks[4].m_FileType);
    // The rows after a tagged file keep none of its fields.
    EXPECT_STREQ("", tracks[1].m_Title);
    EXPECT_STREQ("", tracks[1].m_Artist);
    EXPECT_STREQ("", tracks[1].m_FileType);
    EXPECT_EQ(0, tracks[1].m_Length);
    EXPECT_STREQ("", tracks[2].m_Album);
    EXPECT_STREQ("MP3", tracks[3].m_FileType);
    EXPECT_STRNE("Song", tracks[3].m_Title);

    m_list->DeleteAllItems();
    EXPECT_EQ(0, VIZU::CopyListToArray(m_list.get(), &tracks));
    EXPECT_EQ(0, tracks.GetSize());
}
