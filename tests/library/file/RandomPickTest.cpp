// The random pick over an injected number source: the mode filters, "NONE",
// every candidate reachable, and the draws shared out evenly.
#include "library/api/VIZU.h"

#include "library/records/RandomPick.h"
#include "tests/library/file/LibraryFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <string>

namespace {

// Gives the scripted 15-bit draws, then zeros.
class ScriptedDraws : public RandomDrawSource
{
public:
    std::deque<uint32_t> draws;
    int taken = 0;
    uint32_t Draw15() override
    {
        ++taken;
        if (draws.empty())
            return 0;
        uint32_t d = draws.front();
        draws.pop_front();
        return d;
    }
};

// The two draws that make the 30-bit value v.
void Queue(ScriptedDraws& s, uint32_t v)
{
    s.draws.push_back(v >> 15);
    s.draws.push_back(v & 0x7FFF);
}

CTrackRecord Track(const char* path, const char* artist, const char* album, const char* genre,
                   const char* year, const char* bpm)
{
    CTrackRecord r;
    r.m_FileName = path;
    r.m_Artist = artist;
    r.m_Album = album;
    r.m_Genre = genre;
    r.m_Year = year;
    r.m_BPMText = bpm;
    return r;
}

class RandomPick : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = SetRandomDrawSource(&draws);
        m_Tracks.RemoveAll();
        CTrackRecord set[] = {
            Track("a", "Daft Punk", "Discovery", "House", "2001", "128.50"),
            Track("b", "daft punk", "Homework", "house", "1997", "095.00"),
            Track("c", "Moby", "Play", "Electronica", "1999", "100.00"),
            Track("d", "Moby", "18", "Electronica", "1995a", "130.00"),
            Track("e", "Air", "Moon Safari", "Downtempo", "", "090.00"),
            Track("f", "Air", "Talkie Walkie", "Downtempo", "1990", "120.00"),
        };
        for (CTrackRecord& r : set)
            m_Tracks.Add(r);
    }
    void TearDown() override
    {
        SetRandomDrawSource(m_previous);
        m_Tracks.RemoveAll();
    }

    // Every path the mode can give, found by steering the draws to each
    // candidate in turn until one gives NONE or repeats.
    std::string Candidates(tagRandomInfo info)
    {
        std::string found;
        for (uint32_t k = 0; k < 10; ++k) {
            draws.draws.clear();
            Queue(draws, k);
            CString path = VIZU::GetRandomTrack(&info);
            if (path == "NONE")
                return "NONE";
            if (found.find(path.GetString()) != std::string::npos)
                break;
            found += path.GetString();
        }
        return found;
    }

    ScriptedDraws draws;

private:
    RandomDrawSource* m_previous = nullptr;
};

tagRandomInfo Info(int mode, const char* value = "", const char* low = "", const char* high = "")
{
    tagRandomInfo info;
    info.Mode = mode;
    info.Value = value;
    info.YearLow = low;
    info.YearHigh = high;
    info.BPMLow = low;
    info.BPMHigh = high;
    return info;
}

} // namespace

TEST_F(RandomPick, ModeFilters)
{
    struct Case { tagRandomInfo info; const char* candidates; };
    const Case cases[] = {
        {Info(40), "abcdef"},
        {Info(41, "DAFT PUNK"), "ab"},
        {Info(41, "Daft"), "NONE"},
        {Info(42, "play"), "c"},
        {Info(43, "electronica"), "cd"},
        {Info(44, "", "1990", "1999"), "bcdf"},    // 1995a is inside, "" is not
        {Info(45, "", "120", "130"), "af"},         // texts: 130.00 sorts after 130
        {Info(45, "", "90", "130"), "NONE"},        // "095.00" sorts before "90"
        {Info(39), "NONE"},
        {Info(46), "NONE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.info.Mode);
        EXPECT_EQ(c.candidates, Candidates(c.info));
    }
}

TEST_F(RandomPick, NothingToPickFrom)
{
    tagRandomInfo any = Info(40);
    EXPECT_STREQ("NONE", VIZU::GetRandomTrack(nullptr));
    m_Tracks.RemoveAll();
    EXPECT_STREQ("NONE", VIZU::GetRandomTrack(&any));
}

// Each candidate, the last included, comes out for its share of the draws.
TEST_F(RandomPick, EveryCandidateIsReachable)
{
    tagRandomInfo any = Info(40);
    std::map<std::string, int> seen;
    const uint32_t limit = (1u << 30) - (1u << 30) % 6;
    for (uint32_t v : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 11u, limit - 1}) {
        draws.draws.clear();
        Queue(draws, v);
        std::string path = VIZU::GetRandomTrack(&any).GetString();
        EXPECT_EQ(std::string(1, static_cast<char>('a' + v % 6)), path) << v;
        ++seen[path];
    }
    EXPECT_EQ(6u, seen.size());
}

// Values of the incomplete last round are drawn again: no candidate gets
// more of the draws than another.
TEST_F(RandomPick, UnevenRoundIsDrawnAgain)
{
    tagRandomInfo any = Info(40);
    const uint32_t limit = (1u << 30) - (1u << 30) % 6;
    draws.draws.clear();
    draws.taken = 0;
    Queue(draws, limit);        // first value beyond the even rounds
    Queue(draws, (1u << 30) - 1);
    Queue(draws, 3);
    EXPECT_STREQ("d", VIZU::GetRandomTrack(&any));
    EXPECT_EQ(6, draws.taken);
}

TEST_F(RandomPick, OneCandidateNeedsNoDraw)
{
    tagRandomInfo play = Info(42, "Play");
    draws.taken = 0;
    EXPECT_STREQ("c", VIZU::GetRandomTrack(&play));
    EXPECT_EQ(0, draws.taken);
}

TEST_F(RandomPick, NothingInTheLibraryChanges)
{
    tagRandomInfo any = Info(40);
    Queue(draws, 2);
    VIZU::GetRandomTrack(&any);
    EXPECT_EQ(6, m_Tracks.GetSize());
    EXPECT_STREQ("c", m_Tracks[2].m_FileName);
    EXPECT_EQ(0, m_Tracks[2].m_PlayCount);
}

// The runtime generator: seeded once, so calls in one second differ, and a
// large library's every position can come out.
TEST_F(RandomPick, OwnGeneratorSpreadsOverTheWholeLibrary)
{
    SetRandomDrawSource(nullptr);
    m_Tracks.RemoveAll();
    const int count = 40000;
    for (int i = 0; i < count; ++i) {
        CTrackRecord r;
        r.m_FileName.Format("%d", i);
        m_Tracks.Add(r);
    }
    tagRandomInfo any = Info(40);
    int highest = 0;
    std::map<std::string, int> seen;
    for (int i = 0; i < 2000; ++i) {
        CString path = VIZU::GetRandomTrack(&any);
        highest = std::max(highest, atoi(path));
        ++seen[path.GetString()];
    }
    EXPECT_GT(seen.size(), 1800u);   // the same seed each call gave one track
    EXPECT_GT(highest, 39000);       // beyond what r * (n - 1) / 32768 reaches often
    SetRandomDrawSource(&draws);
}
