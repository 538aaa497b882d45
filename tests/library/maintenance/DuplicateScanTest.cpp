// Which records are copies: by song, beyond the first of a song, by path;
// which one may go; drive letters.
#include "library/maintenance/DriveLetters.h"
#include "library/maintenance/DuplicateScan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Rec
{
    const char* artist;
    const char* title;
    const char* path;
    int index;
};

using Recs = std::vector<Rec>;

void Fill(TrackArray& tracks, const Recs& recs)
{
    tracks.RemoveAll();
    for (const Rec& r : recs) {
        CTrackRecord record;
        record.m_Artist = r.artist;
        record.m_Title = r.title;
        record.m_FileName = r.path;
        record.m_Index = r.index;
        tracks.Add(record);
    }
}

using Positions = std::vector<INT_PTR>;

// The records, in an array kept until the next call.
const TrackArray& Filled(const Recs& recs)
{
    static TrackArray tracks;
    Fill(tracks, recs);
    return tracks;
}

} // namespace

TEST(SongCopies, OneGroupPerSongWhateverTheNumberOfCopies)
{
    struct Case
    {
        const char* name;
        Recs tracks;
        std::vector<std::pair<INT_PTR, Positions>> groups;
    };
    std::vector<Case> cases;
    cases.push_back({"no copies",
                     Recs{{"A", "One", "c:\\1.mp3", 1}, {"B", "Two", "c:\\2.mp3", 2}}, {}});
    cases.push_back({"two copies",
                     Recs{{"A", "One", "c:\\1.mp3", 1}, {"B", "Two", "c:\\2.mp3", 2},
                           {"A", "One", "c:\\3.mp3", 3}},
                     {{0, {2}}}});
    cases.push_back({"three copies",
                     Recs{{"A", "One", "c:\\1.mp3", 1}, {"A", "One", "c:\\2.mp3", 2},
                           {"A", "One", "c:\\3.mp3", 3}},
                     {{0, {1, 2}}}});
    cases.push_back({"four copies in other letter cases, between another song",
                     Recs{{"a", "ONE", "c:\\1.mp3", 1}, {"B", "Two", "c:\\2.mp3", 2},
                           {"A", "one", "c:\\3.mp3", 3}, {"A", "One", "c:\\4.mp3", 4},
                           {"a", "oNe", "c:\\5.mp3", 5}, {"B", "Two", "c:\\6.mp3", 6}},
                     {{0, {2, 3, 4}}, {1, {5}}}});
    cases.push_back({"the same index number is the same record",
                     Recs{{"A", "One", "c:\\1.mp3", 1}, {"A", "One", "c:\\1.mp3", 1}}, {}});
    cases.push_back({"artist and title do not run into each other",
                     Recs{{"AB", "C", "c:\\1.mp3", 1}, {"A", "BC", "c:\\2.mp3", 2}}, {}});
    for (const Case& c : cases) {
        const std::vector<maintenance::SongGroup> groups = maintenance::GroupSongCopies(Filled(c.tracks));
        ASSERT_EQ(c.groups.size(), groups.size()) << c.name;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            EXPECT_EQ(c.groups[g].first, groups[g].original) << c.name;
            EXPECT_EQ(c.groups[g].second, groups[g].copies) << c.name;
        }
    }
}

TEST(LaterCopies, CountsEveryCopyBeyondTheFirstAndListsThoseOffTheFirstsPaths)
{
    TrackArray tracks;
    Fill(tracks, Recs{{"A", "One", "c:\\1.mp3", 1},
                              {"A", "one", "c:\\2.mp3", 2},
                              {"B", "Two", "c:\\3.mp3", 3},
                              {"a", "ONE", "C:\\1.MP3", 4},   // the first copy's path
                              {"B", "two", "c:\\5.mp3", 5},
                              {"C", "Three", "c:\\6.mp3", 6}});
    const maintenance::LaterCopies later = maintenance::FindLaterCopies(tracks);
    EXPECT_EQ(3, later.copies);
    EXPECT_EQ((Positions{1, 4}), later.listed);

    const maintenance::LaterCopies none =
        maintenance::FindLaterCopies(Filled(Recs{{"A", "One", "c:\\1.mp3", 1}}));
    EXPECT_EQ(0, none.copies);
    EXPECT_TRUE(none.listed.empty());
}

TEST(SharedPaths, TheFirstRecordOfAPathIsNeverListed)
{
    struct Case
    {
        const char* name;
        Recs tracks;
        Positions copies;
    };
    std::vector<Case> cases;
    cases.push_back({"two records of one path",
                     Recs{{"A", "One", "c:\\1.mp3", 1}, {"B", "Two", "c:\\1.mp3", 2}}, {1}});
    cases.push_back({"same path, same index",
                     Recs{{"A", "One", "c:\\1.mp3", 1}, {"A", "One", "c:\\1.mp3", 1}}, {}});
    cases.push_back({"letter case makes another file",
                     Recs{{"A", "One", "c:\\1.mp3", 1}, {"A", "One", "C:\\1.MP3", 2}}, {}});
    cases.push_back({"three records, one sharing the first's index",
                     Recs{{"A", "One", "c:\\1.mp3", 1}, {"X", "Y", "c:\\2.mp3", 5},
                           {"A", "One", "c:\\1.mp3", 1}, {"A", "One", "c:\\1.mp3", 2},
                           {"A", "One", "c:\\1.mp3", 3}},
                     {3, 4}});
    for (const Case& c : cases)
        EXPECT_EQ(c.copies, maintenance::FindSharedPathCopies(Filled(c.tracks))) << c.name;
}

TEST(RemovableCopy, OnlyWhileAnotherRecordKeepsTheSongOrThePath)
{
    TrackArray tracks;
    Fill(tracks, Recs{{"A", "One", "c:\\1.mp3", 1},
                              {"a", "ONE", "c:\\2.mp3", 2},
                              {"B", "Two", "c:\\3.mp3", 3},
                              {"C", "Three", "c:\\4.mp3", 4},
                              {"D", "Four", "c:\\4.mp3", 5}});
    struct Case { const char* path; bool byPath; INT_PTR answer; };
    for (const Case& c : {Case{"c:\\2.mp3", false, 1}, Case{"c:\\1.mp3", false, 0},
                          Case{"c:\\3.mp3", false, -1}, Case{"C:\\2.MP3", false, -1},
                          Case{"c:\\2.mp3", true, -1}, Case{"c:\\4.mp3", true, 3},
                          Case{"c:\\4.mp3", false, -1}, Case{"c:\\9.mp3", true, -1}})
        EXPECT_EQ(c.answer, maintenance::RemovableCopy(tracks, c.path, c.byPath))
            << c.path << (c.byPath ? " by path" : " by song");
}

TEST(DriveLetters, OneLetterEachUpperCased)
{
    struct Case { const char* text; char letter; };
    for (const Case& c : {Case{"d", 'D'}, Case{"E", 'E'}, Case{" z ", 'Z'}, Case{"", 0},
                          Case{"de", 0}, Case{"d:", 0}, Case{"1", 0}, Case{"\\", 0}})
        EXPECT_EQ(c.letter, maintenance::ParseDriveLetter(c.text)) << '"' << c.text << '"';
}

TEST(DriveLetters, OnlyTheDriveAtTheStartChangesInAnyLetterCase)
{
    struct Case { const char* before; const char* after; int count; };
    for (const Case& c : {Case{"D:\\music\\a.mp3", "E:\\music\\a.mp3", 1},
                          Case{"d:\\music\\a.mp3", "E:\\music\\a.mp3", 1},
                          Case{"C:\\music\\D:\\a.mp3", "C:\\music\\D:\\a.mp3", 0},
                          Case{"\\\\server\\D:\\a.mp3", "\\\\server\\D:\\a.mp3", 0},
                          Case{"D", "D", 0}, Case{"", "", 0}, Case{"Da\\b.mp3", "Da\\b.mp3", 0}}) {
        CString path(c.before);
        EXPECT_EQ(c.count, maintenance::ChangeDriveLetter(path, 'D', 'E')) << c.before;
        EXPECT_STREQ(c.after, path.GetString()) << c.before;
    }
}
