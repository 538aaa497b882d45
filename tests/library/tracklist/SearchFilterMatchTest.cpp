// The matching rules on plain texts.
#include "library/tracklist/SearchFilterMatch.h"

#include <gtest/gtest.h>

namespace {

TrackMatchFields Fields()
{
    TrackMatchFields f;
    f.title = "Hard Rock Live";
    f.artist = "The BLUE Band";
    f.album = "Stones";
    f.genre = "Rock";
    f.year = "1999";
    f.fileName = "C:\\Hidden Gem\\track.mp3";
    f.bpmText = "128.50";
    return f;
}

} // namespace

TEST(SearchFilterMatch, ContainsAndEqualsFoldLetterCaseBothWays)
{
    MatchCaseFold fold;
    struct Case
    {
        const char* wanted;
        const char* field;
        bool contains;
        bool equals;
    };
    const Case cases[] = {
        {"ROCK", "Hard rock live", true, false},
        {"rock", "HARD ROCK", true, false},
        {"", "anything", true, false},
        {"", "", true, true},
        {"love", "GLOVES", true, false},
        {"blue", "BLUE", true, true},
        {"blue", "Blue Moon", true, false},
        {"moon", "Blue Moo", false, false},
        {"aab", "aaab", true, false},
        {"x", "", false, false},
        {"\xC9", "\xC9t\xE9", true, false},   // bytes above 127 as they are
        {"\xE9t\xE9", "\xC9t\xE9", false, false},
    };
    for (const Case& c : cases) {
        TrackMatcher m(fold, c.wanted);
        EXPECT_EQ(c.contains, m.Contains(c.field)) << c.wanted << " in " << c.field;
        EXPECT_EQ(c.equals, m.Equals(c.field)) << c.wanted << " = " << c.field;
    }
    // A fold given more letters uses them.
    fold.Set(0xC9, 0xE9);
    TrackMatcher accented(fold, "\xC9T\xC9");
    EXPECT_TRUE(accented.Equals("\xE9t\xE9"));
    EXPECT_EQ("\xE9t\xE9", accented.Wanted());
}

TEST(SearchFilterMatch, CodesPickTheirFields)
{
    MatchCaseFold fold;
    const TrackMatchFields f = Fields();
    struct Case
    {
        const char* wanted;
        int code;
        bool search;     // SearchMatches
        bool contains;   // FilterContains
        bool equals;     // FilterEquals
    };
    const Case cases[] = {
        {"blue", 30, true, false, false},
        {"blue", 20, false, true, false},
        {"the blue band", 20, false, true, true},
        {"ston", 31, true, false, false},
        {"stones", 21, false, true, true},
        {"ROCK", 32, true, false, false},
        {"rock", 22, false, true, true},
        {"live", 33, true, false, false},
        {"live", 23, false, true, false},
        {"99", 34, true, false, false},
        {"1999", 24, false, true, true},
        {"hidden gem", 35, true, false, false},
        {"hidden gem", 33, false, false, false},
        {"band", 35, true, false, false},
        {"1999", 35, true, false, false},
        {"128", 26, false, false, true},
        {"128.50", 26, false, false, false},
        {"12", 26, false, false, false},
        {"", 25, false, false, false},
        {"", 36, false, false, false},
        {"", 19, false, false, false},
        {"", 35, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.wanted) + " " + std::to_string(c.code));
        TrackMatcher m(fold, c.wanted);
        EXPECT_EQ(c.search, m.SearchMatches(f, c.code));
        EXPECT_EQ(c.contains, m.FilterContains(f, c.code));
        EXPECT_EQ(c.equals, m.FilterEquals(f, c.code));
    }
}

TEST(SearchFilterMatch, TempoEqualityComparesTheWholePartOfTheNormalForm)
{
    MatchCaseFold fold;
    TrackMatcher m128(fold, "128");
    TrackMatcher m95(fold, "95");
    TrackMatchFields f;
    for (const char* tempo : {"128.00", "128.50", "128.99"}) {
        f.bpmText = tempo;
        EXPECT_TRUE(m128.FilterEquals(f, 26)) << tempo;
    }
    for (const char* tempo : {"127.99", "129.00", "095.00", "", "12"}) {
        f.bpmText = tempo;
        EXPECT_FALSE(m128.FilterEquals(f, 26)) << tempo;
        EXPECT_FALSE(m95.FilterEquals(f, 26)) << tempo;
    }
}
